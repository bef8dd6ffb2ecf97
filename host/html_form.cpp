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

void THtmlForm::FormCreate(const TCommandLine& cl) {
  SetLeft(cl.GetParamInt(1));
  SetTop(cl.GetParamInt(2));
  SetWidth(cl.GetParamInt(3));
  SetHeight(cl.GetParamInt(4));
  SetColor(cl.GetParamInt(5));
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
    WriteScreenFile(screenFile_, html);
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
