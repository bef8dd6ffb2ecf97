#pragma once
// The error report: the platform's message layout drawn into a picture
// that a window shows without waiting for anybody.
#include <string>

#include "platform/bitmap.h"

namespace host {

constexpr const char* kErrorReportTitle = "Application Error";

// The report's picture: an error sign and the text's lines on a dialog
// face, sized to the text.
plat::TBitmap RenderErrorReport(const std::string& text);

}  // namespace host
