#include "host/snapshot_renderer.h"

#include "platform/canvas.h"
#include "platform/controls.h"
#include "viewer/folio.h"

namespace host {

TSnapshotRenderer::TSnapshotRenderer() : form_(std::make_unique<plat::TForm>()), viewer_(std::make_unique<html::TFolio>()) {
  viewer_->SetScrollBars(html::TScrollStyle::ssNone);
  viewer_->SetParent(form_.get());
}

TSnapshotRenderer::~TSnapshotRenderer() {
  viewer_.reset();
  form_.reset();
}

plat::TBitmap TSnapshotRenderer::RenderHtmlToBitmap(const std::string& html, int width, int& height) {
  html::TFolio& v = *viewer_;
  v.SetWidth(width);
  v.SetHeight(100);  // provisional: any size change lays the document out again
  v.LoadHtml(html, "");
  height = v.DocumentHeight();
  // The size change lays the document out once more, and percentage
  // heights can change its height: take the height of the layout that
  // will be painted, so the end of the document is never cut off.
  for (int round = 0; round < 4 && v.Height() != height; ++round) {
    v.SetHeight(height);
    height = v.DocumentHeight();
  }
  // A document whose height follows the viewer's never settles: the
  // picture is what the viewer paints, so its height is the viewer's.
  height = v.Height();
  v.SetBorderStyle(html::THTMLBorderStyle::htNone);
  plat::TBitmap bitmap(width, height > 1 ? height - 1 : 0);
  if (!bitmap.Empty()) v.PaintTo(bitmap.Canvas(), -1, -1);
  return bitmap;
}

}  // namespace host
