#include "platform/font.h"

#include "platform/numeric.h"

namespace plat {

int TFont::Size() const { return -MulDiv(Height, 72, kScreenPixelsPerInch); }
void TFont::SetSize(int points) { Height = -MulDiv(points, kScreenPixelsPerInch, 72); }

}  // namespace plat
