#include "MeshMeasurer.h"

#include <algorithm>
#include <cmath>

void MeshMeasurer::Corner(const float* p, bool hasNormal, bool hasTexCoord) {
  const bool finite = std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
  corners_.push_back({{p[0], p[1], p[2]}, finite, hasNormal, hasTexCoord, false});
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
    // The bounds do not depend on the order corners come in: the recorded
    // positions are never -0.
    if (m.vertexCount++ == 0) {
      std::copy_n(corner->p, 3, m.min);
      std::copy_n(corner->p, 3, m.max);
    }
    for (int i = 0; i < 3; ++i) {
      m.min[i] = std::min(m.min[i], corner->p[i]);
      m.max[i] = std::max(m.max[i], corner->p[i]);
    }
  }
}
