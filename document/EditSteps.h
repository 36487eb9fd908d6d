#pragma once
#include <cstdint>

struct Element3D;

// The element changes of mouse drags and arrow keys, without any window.

// Snapping is by truncation toward zero: values between -s and s snap to 0.
double Snap(double v, double s);

enum MoveMode : int32_t { kMove = 0, kResize = 1, kTurn = 2 };
enum EditAxis : int32_t { kAxisX = 0, kAxisY = 1, kAxisZ = 2, kAxisXZ = 3 };

struct DragMovement {
  double mx = 0, my = 0, mz = 0;
  // The dominant component: mx, unless |my| or |mz| is larger (ties keep the earlier).
  double Dominant() const;
};

// One step of an element drag. `step` is the edit step per axis; a size that
// comes out as exactly 0 becomes twice the step of its axis.
void ApplyDragStep(Element3D& e, MoveMode mode, EditAxis axis, const DragMovement& d, const double step[3]);

// One arrow-key step on one target. `axis` is already resolved (never XZ);
// `vertical` is true for Up/Down; `sign` is the key's direction sign and
// `s` the step (a size that comes out as exactly 0 becomes 2 s).
void ApplyArrowStep(Element3D& e, MoveMode mode, EditAxis axis, bool vertical, double sign, double s);
