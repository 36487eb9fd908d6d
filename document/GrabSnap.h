#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "GrabEdit.h"

// Snapping a grabbed selection to its neighbours: a face of the selection's
// box that comes near a parallel face of another element's box goes flush
// (touching) or level (in one plane) with it, a centre to a centre.

struct SnapBox {
  double lo[3], hi[3];
};

// Which planes of the moving box may snap on one axis.
enum SnapFaces : int { kSnapNone = 0, kSnapLow = 1, kSnapHigh = 2, kSnapCentre = 4, kSnapAll = 7 };

struct SnapHit {
  bool snapped[3] = {false, false, false};
  double shift[3] = {0, 0, 0};       // how far the box goes to lie flush or level
  int32_t target[3] = {-1, -1, -1};  // the box snapped to, by its place in `others`
  bool Any() const { return snapped[0] || snapped[1] || snapped[2]; }
};

// The nearest snap on each axis whose `faces` are not kSnapNone: planes of
// `moving` within that axis's `reach` of a plane of a box of `others` (the
// reach is per axis, since an axis running away from the viewer crosses
// fewer pixels per unit). Only neighbours count: boxes farther than the
// moving box's own largest size (plus the reach) on some axis are left
// out, so a far element of a large document does not pull. One pass over
// `others`.
SnapHit FindSnap(const SnapBox& moving, const std::vector<SnapBox>& others, const int faces[3], const double reach[3]);

// A grab's travel with snapping applied: each axis that snaps takes the
// travel that lies the selection flush or level and no grid step (step 0);
// the others keep the grid. `records` are the grabbed elements as they were
// at the press, the first the pressed one (whose side a resize moves).
// Turns never snap.
struct SnappedGrab {
  GrabTravel travel;
  double step[3] = {0, 0, 0};
  SnapHit hit;
};
SnappedGrab SnapGrab(const std::vector<std::pair<int32_t, Element3D>>& records, MoveMode mode, EditAxis axis,
                     const GrabTravel& travel, const GrabSides& sides, const double step[3],
                     const std::vector<SnapBox>& others, const double reach[3]);
