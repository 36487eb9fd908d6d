#include "EditSteps.h"

#include <cmath>

#include "Element3D.h"

double Snap(double v, double s) { return std::trunc(v / s) * s; }

double DragMovement::Dominant() const {
  double m = mx;
  if (std::fabs(my) > std::fabs(m)) m = my;
  if (std::fabs(mz) > std::fabs(m)) m = mz;
  return m;
}

namespace {
// |size + change|, never exactly 0 so that an element cannot collapse.
double Resized(double size, double change, double floorStep) {
  const double v = std::fabs(size + change);
  return v == 0 ? floorStep : v;
}

void KeepOnFloor(Element3D& e) {
  if (e.y - e.dy / 2 < 0) e.y = e.dy / 2;
}
}  // namespace

void ApplyDragStep(Element3D& e, MoveMode mode, EditAxis axis, const DragMovement& d, const double step[3]) {
  const double m = d.Dominant();
  const double zx = 2 * step[0], zy = 2 * step[1], zz = 2 * step[2];
  switch (mode) {
    case kMove:
      if (axis == kAxisX) e.x += m;
      if (axis == kAxisY) e.y += m;
      if (axis == kAxisZ) e.z += m;
      if (axis == kAxisXZ) e.x += d.mx, e.z += d.mz;
      break;
    case kResize:
      if (e.kind == kSphere) {
        e.dx = Resized(e.dx, 2 * m, zx), e.dy = Resized(e.dy, 2 * m, zy), e.dz = Resized(e.dz, 2 * m, zz);
      } else if (e.kind == kCylinder && axis != kAxisY) {
        e.dx = Resized(e.dx, 2 * m, zx), e.dz = Resized(e.dz, 2 * m, zz);
      } else if (axis == kAxisX) {
        e.dx = Resized(e.dx, 2 * m, zx);
      } else if (axis == kAxisY) {
        e.dy = Resized(e.dy, 2 * m, zy);
        e.y += m;
        KeepOnFloor(e);
      } else if (axis == kAxisZ) {
        e.dz = Resized(e.dz, 2 * m, zz);
      } else {
        e.dx = Resized(e.dx, d.mx, zx), e.dz = Resized(e.dz, d.mz, zz);
      }
      break;
    case kTurn:
      if (axis == kAxisX) e.axy += 5 * m;
      if (axis == kAxisY || axis == kAxisXZ) e.ayz += 5 * m;
      if (axis == kAxisZ) e.axz += 5 * m;
      break;
  }
}

void ApplyArrowStep(Element3D& e, MoveMode mode, EditAxis axis, bool vertical, double sign, double s) {
  if (mode == kTurn) {
    if (axis == kAxisX) e.axy += 5 * sign;
    if (axis == kAxisY) (vertical ? e.axz : e.ayz) += 5 * sign;
    if (axis == kAxisZ) (vertical ? e.ayz : e.axz) += 5 * sign;
    return;
  }
  // Otherwise a key is a drag by one step, except that the vertical keys
  // move and size in y the other way (a sphere grows alike on every key).
  const bool flip = vertical && axis == kAxisY && !(mode == kResize && e.kind == kSphere);
  const double m = flip ? -sign * s : sign * s;
  const double step[3] = {s, s, s};
  ApplyDragStep(e, mode, axis, {m, m, m}, step);
}
