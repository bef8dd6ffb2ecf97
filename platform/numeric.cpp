#include "platform/numeric.h"

#include <cmath>

namespace plat {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  int64_t divisor = c;
  bool negative = (product < 0) != (divisor < 0);
  // |product| fits: at most 2^62; |divisor| at most 2^31.
  uint64_t num = product < 0 ? static_cast<uint64_t>(-product) : static_cast<uint64_t>(product);
  uint64_t den = divisor < 0 ? static_cast<uint64_t>(-divisor) : static_cast<uint64_t>(divisor);
  uint64_t q = (num + den / 2) / den;
  if (q > static_cast<uint64_t>(INT32_MAX) + (negative ? 1 : 0)) return -1;
  int64_t result = negative ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
  return static_cast<int>(result);
}

int Round(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int>(std::nearbyint(value));  // default mode: half to even
}

}  // namespace plat
