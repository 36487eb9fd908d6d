#include "RecordedObject.h"

#include <cmath>

// Kept out of line: inlined next to the float stores of a cross product,
// GCC 12's vectorizer divides the unrounded doubles instead of the stored
// floats, and normals change in the last place.
[[gnu::noinline]] bool MakeUnit(float* v) {
  const double length = std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
  if (!std::isfinite(length) || length < 1e-12) return false;
  for (int i = 0; i < 3; ++i) v[i] = static_cast<float>(v[i] / length);
  return true;
}
