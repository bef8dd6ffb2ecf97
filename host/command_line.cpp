#include "host/command_line.h"

#include <cstdint>
#include <optional>

#include "support/text_util.h"

namespace host {

namespace {

[[noreturn]] void ConvertError(const std::string& text) {
  throw EHostError("EConvertError", "'" + text + "' is not a valid integer value");
}

}  // namespace

int StrToInt(const std::string& text) {
  std::optional<int32_t> value = html::ParseStrToInt(text);
  if (!value) ConvertError(text);
  return *value;
}

const std::string& TCommandLine::GetParamStr(int n) const {
  if (n < 0 || n >= static_cast<int>(args_.size()))
    throw EHostError("Exception", "Parameter N\"" + std::to_string(n) + "\" not found!");
  return args_[static_cast<size_t>(n)];
}

std::string ExceptionReportText(const std::string& className, const std::string& message,
                                const std::string& moduleName) {
  // A period is added unless the message already ends in punctuation.
  std::string dot = !message.empty() && message.back() > '.' ? "." : "";
  return "Exception " + className + " in module " + moduleName + " at 00000000.\r\n" + message + dot + "\r\n";
}

}  // namespace host
