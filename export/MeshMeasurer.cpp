#include "MeshMeasurer.h"

#include <algorithm>
#include <cmath>

#include "FormatNumber.h"

namespace {
// Whether the position FinishCorners makes of `v` is finite: a number far
// from a float's limit surely is.
bool CutIsFinite(double v) { return std::fabs(v) < 1e30 || std::isfinite(static_cast<float>(NumberAsWritten(v))); }
}  // namespace

void MeshMeasurer::Corner(const double* p, bool hasNormal, bool hasTexCoord) {
  const bool finite = CutIsFinite(p[0]) && CutIsFinite(p[1]) && CutIsFinite(p[2]);
  corners_.push_back({{p[0], p[1], p[2]}, finite, hasNormal, hasTexCoord, false});
}

MeshMeasure MeshMeasurer::Measure() const {
  MeshMeasure m = measure_;
  if (m.vertexCount > 0) {
    for (int i = 0; i < 3; ++i) {
      m.min[i] = static_cast<float>(NumberAsWritten(min_[i]));
      m.max[i] = static_cast<float>(NumberAsWritten(max_[i]));
    }
  }
  return m;
}

void MeshMeasurer::Triangle(uint32_t a, uint32_t b, uint32_t c) {
  Kept* k[3] = {&corners_[a], &corners_[b], &corners_[c]};
  if (!k[0]->finite || !k[1]->finite || !k[2]->finite) return;  // left out
  MeshMeasure& m = measure_;
  m.indexCount += 3;
  for (Kept* corner : k) {
    m.hasTexCoords = m.hasTexCoords || corner->hasTexCoord;
    if (corner->counted) continue;
    corner->counted = corner->hasNormal;
    // Cutting never turns a smaller number into a larger one, so the
    // bounds of the cut positions are the cut bounds.
    if (m.vertexCount++ == 0) {
      std::copy_n(corner->p, 3, min_);
      std::copy_n(corner->p, 3, max_);
    }
    for (int i = 0; i < 3; ++i) {
      min_[i] = std::min(min_[i], corner->p[i]);
      max_[i] = std::max(max_[i], corner->p[i]);
    }
  }
}
