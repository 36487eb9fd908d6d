#include "MeshMeasurer.h"

#include <algorithm>
#include <cmath>

#include "FormatNumber.h"

namespace {
// A number far from a float's limit surely stays finite.
bool CutIsFinite(double v) { return std::fabs(v) < 1e30 || std::isfinite(static_cast<float>(NumberAsWritten(v))); }
}  // namespace

bool CutIsFinite(const double* p) { return CutIsFinite(p[0]) && CutIsFinite(p[1]) && CutIsFinite(p[2]); }

void MeshMeasurer::Corner(const double* p, const double* given, bool hasNormal, bool hasTexCoord) {
  const bool finite = CutIsFinite(p);
  learnedFinite_ = learnedFinite_ && finite;
  corners_.push_back(
      {{p[0], p[1], p[2]}, {given[0], given[1], given[2]}, finite, hasNormal, hasTexCoord, false, false});
}

MeshMeasure MeshMeasurer::Measure() const {
  MeshMeasure m = measure_;
  if (bounded_) {
    for (int i = 0; i < 3; ++i) {
      m.min[i] = static_cast<float>(NumberAsWritten(min_[i]));
      m.max[i] = static_cast<float>(NumberAsWritten(max_[i]));
    }
  }
  return m;
}

// Cutting never turns a smaller number into a larger one, so the bounds of
// the cut positions are the cut bounds.
void MeshMeasurer::Bound(const double* p) {
  if (!bounded_) {
    std::copy_n(p, 3, min_);
    std::copy_n(p, 3, max_);
    bounded_ = true;
  }
  for (int i = 0; i < 3; ++i) {
    min_[i] = std::min(min_[i], p[i]);
    max_[i] = std::max(max_[i], p[i]);
  }
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
    ++m.vertexCount;
    if (corner->bounded) continue;  // the same position again
    corner->bounded = true;
    Bound(corner->p);
    if (learned_) learned_->push_back({corner->given[0], corner->given[1], corner->given[2]});
  }
}

void MeshMeasurer::AddShape(const MeshMeasure& counts, const std::vector<Position>& placed) {
  measure_.vertexCount += counts.vertexCount;
  measure_.indexCount += counts.indexCount;
  measure_.hasTexCoords = measure_.hasTexCoords || counts.hasTexCoords;
  for (const Position& p : placed) Bound(p.data());
}
