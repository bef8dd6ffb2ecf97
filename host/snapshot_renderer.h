#pragma once
// Turns one HTML text into one bitmap of the whole document, laid out at a
// given width, with a viewer that lives on a hidden form for the life of
// the process and is reused for every document.
#include <memory>
#include <string>

#include "platform/bitmap.h"

namespace plat {
class TForm;
}
namespace html {
class TFolio;
}

namespace host {

class TSnapshotRenderer {
 public:
  TSnapshotRenderer();
  ~TSnapshotRenderer();
  TSnapshotRenderer(const TSnapshotRenderer&) = delete;
  TSnapshotRenderer& operator=(const TSnapshotRenderer&) = delete;

  // Lays the document out at `width` and paints it into a new bitmap of
  // `width` columns and height - 1 rows, the viewer placed at (-1, -1).
  // `height` receives the height of the layout that was painted. Raises
  // what loading raises, and EOutOfResources for a bitmap that cannot be made.
  plat::TBitmap RenderHtmlToBitmap(const std::string& html, int width, int& height);

  html::TFolio& Viewer() { return *viewer_; }

 private:
  std::unique_ptr<plat::TForm> form_;
  std::unique_ptr<html::TFolio> viewer_;
};

}  // namespace host
