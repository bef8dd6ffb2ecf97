// Painting of the document surface.
#include "viewer/paint_panel.h"

#include "viewer/folio.h"

namespace html {

TPaintPanel::TPaintPanel(TFolio* viewer, plat::TControl* parent) : plat::TPanel(parent), Viewer(viewer) {}

void TPaintPanel::Paint(plat::TCanvas& canvas) {
  if ((Viewer && Viewer->PaintSuspended()) || MemoryCanvas) return;
  if (Viewer) Viewer->UpdateFocusBorder();
  canvas.FillRect(canvas.ClipBox(), Color());
  struct Release {
    plat::TCanvas*& c;
    ~Release() { c = nullptr; }
  } release{MemoryCanvas};
  MemoryCanvas = &canvas;
  if (PaintCallback) PaintCallback(*this);
}

}  // namespace html
