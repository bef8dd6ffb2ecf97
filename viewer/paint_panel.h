#pragma once
// The surface the viewer paints its document on. It erases nothing by
// itself: its paint fills the area being painted with the document
// background and then calls the viewer back.
#include <functional>

#include "platform/controls.h"

namespace html {

class TFolio;

class TPaintPanel : public plat::TPanel {
 public:
  TPaintPanel(TFolio* viewer, plat::TControl* parent);

  TFolio* Viewer;
  // Called after the background is painted (the viewer draws the document).
  std::function<void(TPaintPanel&)> PaintCallback;
  // The canvas of the paint under way; null between paints.
  plat::TCanvas* MemoryCanvas = nullptr;

 protected:
  void EraseBackground(plat::TCanvas&) override {}
  void Paint(plat::TCanvas& canvas) override;
};

}  // namespace html
