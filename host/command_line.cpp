#include "host/command_line.h"

#include <cstdint>

namespace host {

namespace {

[[noreturn]] void ConvertError(const std::string& text) {
  throw EHostError("EConvertError", "'" + text + "' is not a valid integer value");
}

}  // namespace

int StrToInt(const std::string& text) {
  size_t i = 0, n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < n && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) ConvertError(text);
  uint64_t value = 0;
  for (; i < n; ++i) {
    char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else ConvertError(text);
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFull) ConvertError(text);
  }
  if (hex) {
    uint32_t bits = static_cast<uint32_t>(value);
    int32_t v = static_cast<int32_t>(bits);
    return negative ? static_cast<int32_t>(0u - bits) : v;
  }
  if (negative) {
    if (value > 0x80000000ull) ConvertError(text);
    return static_cast<int32_t>(-static_cast<int64_t>(value));
  }
  if (value > 0x7FFFFFFFull) ConvertError(text);
  return static_cast<int32_t>(value);
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
