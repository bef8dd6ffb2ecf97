#pragma once
// One style property value: empty, text, a 32-bit or 8-bit integer, or a
// real. Numbers compare by value whatever their width; a text never equals
// a number; an empty value equals only another empty value.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/color.h"

namespace html {

// Marker integers stored in box properties (chosen so no real length is near them).
constexpr int32_t LengthUnset = -12345678;      // a box length nobody gave
constexpr int32_t LengthAuto = -12348765;       // "auto"
constexpr int32_t LengthParaSpace = -12348766;  // default paragraph space, 14 pixels once resolved
constexpr plat::TColor NoColor = plat::NoColor;

class PropValue {
 public:
  PropValue() = default;
  PropValue(std::string text) : v_(std::move(text)) {}
  PropValue(std::string_view text) : v_(std::string(text)) {}
  PropValue(const char* text) : v_(std::string(text)) {}
  PropValue(int32_t n) : v_(n) {}
  PropValue(uint8_t n) : v_(n) {}
  PropValue(double r) : v_(r) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
  bool IsText() const { return std::holds_alternative<std::string>(v_); }
  // An integer of either width.
  bool IsInteger() const {
    return std::holds_alternative<int32_t>(v_) || std::holds_alternative<uint8_t>(v_);
  }
  bool IsByte() const { return std::holds_alternative<uint8_t>(v_); }
  bool IsReal() const { return std::holds_alternative<double>(v_); }
  bool IsNumber() const { return IsInteger() || IsReal(); }
  // An integer equal to `n` (of either width).
  bool IsInteger(int32_t n) const { return IsInteger() && AsInteger() == n; }
  bool IsText(std::string_view t) const { return IsText() && Text() == t; }

  // The text, or an empty string for other kinds.
  const std::string& Text() const;
  // The integer; a real rounded half to even; `otherwise` for other kinds.
  int32_t AsInteger(int32_t otherwise = 0) const;
  // The number as a real; `otherwise` for other kinds.
  double AsReal(double otherwise = 0.0) const;
  // The value written as text: itself, or a number in plain decimal.
  std::string TextForm() const;

  void Clear() { v_ = std::monostate{}; }

  friend bool operator==(const PropValue& a, const PropValue& b);

 private:
  std::variant<std::monostate, std::string, int32_t, uint8_t, double> v_;
};

}  // namespace html
