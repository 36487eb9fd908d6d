#include "scriptrt/Rounding.h"

#include <cmath>
#include <limits>

int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::nearbyint(value);
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

int64_t RoundToInt64(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::nearbyint(value);
  // 2^63 is the first double beyond the range.
  if (r >= 9223372036854775808.0) return std::numeric_limits<int64_t>::max();
  if (r < -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(r);
}
