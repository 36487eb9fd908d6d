#include "GrabSnap.h"

#include <algorithm>
#include <cmath>

#include "ElementBox.h"

namespace {
// Keeps d as the axis's snap when it is the nearest so far within reach.
void Consider(SnapHit& hit, double best[3], int axis, double d, int32_t box) {
  if (std::fabs(d) < best[axis]) {
    best[axis] = std::fabs(d);
    hit.snapped[axis] = true;
    hit.shift[axis] = d;
    hit.target[axis] = box;
  }
}
}  // namespace

SnapHit FindSnap(const SnapBox& moving, const std::vector<SnapBox>& others, const int faces[3], const double reach[3]) {
  SnapHit hit;
  double size = 0, centre[3], farthest = 0;
  // Just past the reach: a plane exactly `reach` away still snaps.
  double best[3];
  int asked[3];
  for (int a = 0; a < 3; ++a) {
    size = std::max(size, moving.hi[a] - moving.lo[a]);
    centre[a] = (moving.lo[a] + moving.hi[a]) / 2;
    const bool usable = reach[a] > 0 && std::isfinite(reach[a]);
    asked[a] = usable ? faces[a] : kSnapNone;
    best[a] = usable ? reach[a] * (1 + 1e-12) : 0;
    if (asked[a] != kSnapNone) farthest = std::max(farthest, reach[a]);
  }
  if (asked[0] == kSnapNone && asked[1] == kSnapNone && asked[2] == kSnapNone) return hit;
  const double near = size + farthest;
  for (size_t k = 0; k < others.size(); ++k) {
    const SnapBox& o = others[k];
    bool neighbour = true;
    for (int a = 0; a < 3 && neighbour; ++a)
      neighbour = o.lo[a] <= moving.hi[a] + near && o.hi[a] >= moving.lo[a] - near;
    if (!neighbour) continue;
    const int32_t box = static_cast<int32_t>(k);
    for (int a = 0; a < 3; ++a) {
      if (asked[a] & kSnapLow) {
        Consider(hit, best, a, o.hi[a] - moving.lo[a], box);  // flush
        Consider(hit, best, a, o.lo[a] - moving.lo[a], box);  // level
      }
      if (asked[a] & kSnapHigh) {
        Consider(hit, best, a, o.lo[a] - moving.hi[a], box);
        Consider(hit, best, a, o.hi[a] - moving.hi[a], box);
      }
      if (asked[a] & kSnapCentre) Consider(hit, best, a, (o.lo[a] + o.hi[a]) / 2 - centre[a], box);
    }
  }
  return hit;
}

SnappedGrab SnapGrab(const std::vector<std::pair<int32_t, Element3D>>& records, MoveMode mode, EditAxis axis,
                     const GrabTravel& travel, const GrabSides& sides, const double step[3],
                     const std::vector<SnapBox>& others, const double reach[3]) {
  SnappedGrab out;
  out.travel = travel;
  for (int a = 0; a < 3; ++a) out.step[a] = step[a];
  if (mode == kTurn || records.empty() || others.empty()) return out;
  // The selection's box where the unrounded travel takes it.
  const double free[3] = {0, 0, 0};
  SnapBox box{};
  bool first = true;
  for (const auto& [index, atPress] : records) {
    double lo[3], hi[3];
    TurnedBox(GrabbedElement(atPress, mode, axis, travel, sides, free), lo, hi);
    for (int a = 0; a < 3; ++a) {
      box.lo[a] = first ? lo[a] : std::min(box.lo[a], lo[a]);
      box.hi[a] = first ? hi[a] : std::max(box.hi[a], hi[a]);
    }
    first = false;
  }
  // A move offers both faces and the centre on the axes it moves along; a
  // resize only the face it pulls.
  const bool moves[3] = {axis == kAxisX || axis == kAxisXZ, axis == kAxisY, axis == kAxisZ || axis == kAxisXZ};
  int faces[3];
  for (int a = 0; a < 3; ++a)
    faces[a] = !moves[a] ? kSnapNone : mode == kMove ? kSnapAll : sides.side[a] > 0 ? kSnapHigh : kSnapLow;
  out.hit = FindSnap(box, others, faces, reach);
  for (int a = 0; a < 3; ++a)
    if (out.hit.snapped[a]) {
      out.travel.along[a] += out.hit.shift[a];
      out.step[a] = 0;
    }
  return out;
}
