#include "host/html_form.h"

#include <exception>

#include "host/screen_file.h"
#include "platform/canvas.h"
#include "platform/errors.h"

namespace host {

THtmlForm::THtmlForm(TRenderer renderer, std::string screenFile)
    : renderer_(std::move(renderer)), screenFile_(std::move(screenFile)), image1_(this) {
  // The stored design, replaced at start-up.
  SetBounds(533, 144, 691, 700);
  SetColor(plat::clBtnFace);
  image1_.SetBounds(0, 0, 691, 700);
}

namespace {

// Positions far off any screen and sizes beyond the largest bitmap are
// refused before they reach the window's geometry.
constexpr int kMaxPosition = 1 << 24;

int GeometryParam(const TCommandLine& cl, int n, const char* what, int low, int high) {
  int value = cl.GetParamInt(n);
  if (value < low || value > high)
    throw EHostError("ERangeError", "'" + cl.GetParamStr(n) + "' is not a valid window " + what +
                                        "; it must be from " + std::to_string(low) + " to " + std::to_string(high));
  return value;
}

}  // namespace

void THtmlForm::FormCreate(const TCommandLine& cl) {
  const int left = GeometryParam(cl, 1, "left edge", -kMaxPosition, kMaxPosition);
  const int top = GeometryParam(cl, 2, "top edge", -kMaxPosition, kMaxPosition);
  const int width = GeometryParam(cl, 3, "width", 0, plat::kMaxBitmapSide);
  const int height = GeometryParam(cl, 4, "height", 0, plat::kMaxBitmapSide);
  const int color = cl.GetParamInt(5);
  SetLeft(left);
  SetTop(top);
  SetWidth(width);
  SetHeight(height);
  SetColor(color);
  image1_.SetWidth(ClientWidth());
  image1_.SetLeft(0);
  Caption = kWindowName;
}

int THtmlForm::WMCopyData(uint32_t tag, std::string_view block) {
  if (tag != HtmlCopyDataId) return 1;
  std::string html(block.substr(0, block.find('\0')));
  try {
    int h = 0;
    plat::TBitmap picture = renderer_(html, image1_.Width() + 1, h);
    // The new picture replaces (and frees) the old one only once it exists.
    image1_.SetPicture(std::move(picture));
    image1_.SetHeight(h);
    image1_.SetTop(ImageTopFor(ClientHeight(), h));
    savedText_ = SplitLines(html);
    WriteScreenFile(screenFile_, savedText_);
  } catch (const EHostError& e) {
    if (OnError) OnError(e.ClassName(), e.what());
    return 0;
  } catch (const plat::EOutOfResources& e) {
    if (OnError) OnError("EOutOfResources", e.what());
    return 0;
  } catch (const std::exception& e) {
    if (OnError) OnError("Exception", e.what());
    return 0;
  }
  return 1;
}

plat::TBitmap THtmlForm::WindowPicture() {
  plat::TBitmap bitmap(ClientWidth(), ClientHeight());
  if (!bitmap.Empty()) PaintTo(bitmap.Canvas(), 0, 0);
  return bitmap;
}

}  // namespace host
