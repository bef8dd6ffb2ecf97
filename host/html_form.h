#pragma once
// The display process's form: placed and coloured by the command line, it
// receives whole documents, shows each one's picture so that the end of
// the document is in view, and keeps the text in "screen.html".
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/command_line.h"
#include "platform/bitmap.h"
#include "platform/controls.h"

namespace host {

constexpr uint32_t HtmlCopyDataId = 53456;
constexpr const char* kWindowName = "CustomerHTML";

class THtmlForm : public plat::TForm {
 public:
  // Makes the bitmap of one document: (text, width, out height).
  using TRenderer = std::function<plat::TBitmap(const std::string&, int, int&)>;
  // Shows an error report; never waits for the user.
  using TErrorReport = std::function<void(const std::string& className, const std::string& message)>;

  THtmlForm(TRenderer renderer, std::string screenFile = "screen.html");

  // Places and colours the form from the five parameters and names it.
  // Raises EHostError for a missing or bad parameter.
  void FormCreate(const TCommandLine& commandLine);
  // Handles one delivered block: the text is read up to its first zero
  // byte and never beyond the block. Answers 1, or 0 after reporting a
  // failure to render or to write the file; a foreign tag answers 1.
  int WMCopyData(uint32_t tag, std::string_view block);

  plat::TImage& Image1() { return image1_; }
  const std::vector<std::string>& SavedText() const { return savedText_; }
  // What the window shows: the form painted at its client size.
  plat::TBitmap WindowPicture();

  TErrorReport OnError;

 private:
  TRenderer renderer_;
  std::string screenFile_;
  plat::TImage image1_;
  std::vector<std::string> savedText_;
};

}  // namespace host
