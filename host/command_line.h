#pragma once
// The display process's command line: five integers read the way the
// class library's string-to-integer conversion reads them.
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

// An error with the class name the error report shows.
class EHostError : public std::runtime_error {
 public:
  EHostError(std::string className, const std::string& message)
      : std::runtime_error(message), className_(std::move(className)) {}
  const std::string& ClassName() const { return className_; }

 private:
  std::string className_;
};

// html::ParseStrToInt: decimal or hexadecimal ("$" or "0x" prefix) 32-bit
// integer, with leading blanks and a sign allowed. Hexadecimal values up to
// 32 bits wrap into the signed range ("$FFFFFFFF" is -1). Anything else
// raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);

class TCommandLine {
 public:
  explicit TCommandLine(std::vector<std::string> args) : args_(std::move(args)) {}
  TCommandLine(int argc, char** argv) : args_(argv, argv + argc) {}

  // Parameter n (0 is the program). A missing one raises Exception
  // "Parameter N"n" not found!".
  const std::string& GetParamStr(int n) const;
  int GetParamInt(int n) const { return StrToInt(GetParamStr(n)); }
  int ParamCount() const { return static_cast<int>(args_.size()) - 1; }

 private:
  std::vector<std::string> args_;
};

// The text of the platform's error report for an exception.
std::string ExceptionReportText(const std::string& className, const std::string& message,
                                const std::string& moduleName);

}  // namespace host
