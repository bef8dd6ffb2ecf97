#pragma once
// Integer helpers with the platform's rounding rules.
#include <cstdint>

namespace plat {

// a * b / c with a 64-bit intermediate, rounded half away from zero.
// Answers -1 when c is 0 or the result does not fit in 32 bits.
int MulDiv(int a, int b, int c);

// Rounds half to even, as the engine's Round does ("2.5" gives 2, "3.5" gives 4).
// Values beyond the 32-bit range are clamped to it; NaN gives 0.
int Round(double value);

// Integer division truncating toward zero (the engine's div). A zero
// divisor answers 0 instead of trapping.
inline int Div(int a, int b) {
  if (b == 0) return 0;
  if (b == -1) return a == INT32_MIN ? INT32_MAX : -a;
  return a / b;
}

// Clamp a 64-bit value into the 32-bit range.
inline int ClampToInt(int64_t v) {
  return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int>(v);
}

}  // namespace plat
