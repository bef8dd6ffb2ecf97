#include "styles/prop_value.h"

#include <charconv>
#include <cmath>

#include "platform/numeric.h"

namespace html {

const std::string& PropValue::Text() const {
  static const std::string kNone;
  const auto* s = std::get_if<std::string>(&v_);
  return s ? *s : kNone;
}

int32_t PropValue::AsInteger(int32_t otherwise) const {
  if (const auto* n = std::get_if<int32_t>(&v_)) return *n;
  if (const auto* b = std::get_if<uint8_t>(&v_)) return *b;
  if (const auto* r = std::get_if<double>(&v_)) return plat::Round(*r);
  return otherwise;
}

double PropValue::AsReal(double otherwise) const {
  if (const auto* n = std::get_if<int32_t>(&v_)) return *n;
  if (const auto* b = std::get_if<uint8_t>(&v_)) return *b;
  if (const auto* r = std::get_if<double>(&v_)) return *r;
  return otherwise;
}

std::string PropValue::TextForm() const {
  if (IsText()) return Text();
  if (IsInteger()) return std::to_string(AsInteger());
  if (const auto* r = std::get_if<double>(&v_)) {
    if (!std::isfinite(*r)) return "0";
    char buf[400];  // room for any double in fixed notation
    auto res = std::to_chars(buf, buf + sizeof buf, *r, std::chars_format::fixed);
    return std::string(buf, res.ptr);
  }
  return {};
}

bool operator==(const PropValue& a, const PropValue& b) {
  if (a.IsEmpty() || b.IsEmpty()) return a.IsEmpty() && b.IsEmpty();
  if (a.IsText() || b.IsText()) return a.IsText() && b.IsText() && a.Text() == b.Text();
  if (a.IsInteger() && b.IsInteger()) return a.AsInteger() == b.AsInteger();
  return a.AsReal() == b.AsReal();
}

}  // namespace html
