#include "RecordedObject.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "NumberMemo.h"

namespace {
double LengthOf(const float* v) { return std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]); }
bool Usable(double length) { return std::isfinite(length) && length >= 1e-12; }
}  // namespace

bool HasLength(const float* v) { return Usable(LengthOf(v)); }

// Kept out of line: inlined next to the float stores of a cross product,
// GCC 12's vectorizer divides the unrounded doubles instead of the stored
// floats, and normals change in the last place.
[[gnu::noinline]] bool MakeUnit(float* v) {
  const double length = LengthOf(v);
  if (!Usable(length)) return false;
  for (int i = 0; i < 3; ++i) v[i] = static_cast<float>(v[i] / length);
  return true;
}

void MakeNormalsUnit(RecordedCorner* corners, size_t count) {
  // Corners in a row share the normal given before them: each distinct one
  // is worked out once.
  float given[3] = {0, 0, 0}, unit[3] = {0, 0, 0};
  bool hasLength = false, any = false;
  for (size_t i = 0; i < count; ++i) {
    RecordedCorner& corner = corners[i];
    if (!corner.hasNormal) continue;
    if (!any || std::memcmp(corner.n, given, sizeof given) != 0) {
      std::memcpy(given, corner.n, sizeof given);
      std::memcpy(unit, corner.n, sizeof unit);
      hasLength = MakeUnit(unit);
      any = true;
    }
    std::memcpy(corner.n, unit, sizeof unit);
    corner.hasNormal = hasLength;
  }
}

void FinishCorners(RecordedObject& object, NumberMemo& numbers) {
  if (object.placed.size() != object.corners.size()) return;  // finished already
  for (size_t i = 0; i < object.corners.size(); ++i)
    for (int k = 0; k < 3; ++k) object.corners[i].p[k] = numbers.AsWritten(object.placed[i].p[k]);
  const size_t done = std::min(object.unitNormals, object.corners.size());
  MakeNormalsUnit(object.corners.data() + done, object.corners.size() - done);
  object.unitNormals = object.corners.size();
  object.placed.clear();
}
