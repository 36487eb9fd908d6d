#pragma once
#include <cmath>

// A window coordinate to the nearest whole pixel (halves to even), clamped
// to +-1e9 first and NaN taken as -1, the value a failed projection gives:
// a point projected from far away or from behind the eye must not become an
// out-of-range int.
inline int RoundToPixel(double v) {
  if (std::isnan(v)) return -1;
  if (v > 1e9) v = 1e9;
  if (v < -1e9) v = -1e9;
  return static_cast<int>(std::nearbyint(v));
}
