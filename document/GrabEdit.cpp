#include "GrabEdit.h"

#include <cmath>

#include "GrabGeometry.h"

namespace {
double Resized(double size, double change, double floorStep) {
  const double v = std::fabs(size + change);
  return v == 0 ? floorStep : v;
}

// The larger in size of two growths (a tie keeps the first).
double Larger(double a, double b) { return std::fabs(b) > std::fabs(a) ? b : a; }
}  // namespace

GrabSides SidesOfPress(const Element3D& pressed, const double point[3]) {
  const double centre[3] = {pressed.x, pressed.y, pressed.z};
  GrabSides s;
  for (int i = 0; i < 3; ++i) s.side[i] = point[i] < centre[i] ? -1 : 1;
  return s;
}

Element3D GrabbedElement(const Element3D& atPress, MoveMode mode, EditAxis axis, const GrabTravel& travel,
                         const GrabSides& sides, const double step[3]) {
  Element3D e = atPress;
  double moved[3];
  for (int i = 0; i < 3; ++i) moved[i] = RoundToStep(travel.along[i], step[i]);
  const bool onX = axis == kAxisX || axis == kAxisXZ, onZ = axis == kAxisZ || axis == kAxisXZ;
  switch (mode) {
    case kMove:
      if (onX) e.x += moved[0];
      if (axis == kAxisY) e.y += moved[1];
      if (onZ) e.z += moved[2];
      break;
    case kResize: {
      // The grabbed face goes out by `grow`; sizes along x and z change on
      // both sides (the element stays centred), so by twice that.
      const double grow[3] = {sides.side[0] * moved[0], sides.side[1] * moved[1], sides.side[2] * moved[2]};
      double m = 0;
      if (onX) m = Larger(m, grow[0]);
      if (axis == kAxisY) m = Larger(m, grow[1]);
      if (onZ) m = Larger(m, grow[2]);
      if (e.kind == kSphere) {
        e.dx = Resized(e.dx, 2 * m, 2 * step[0]);
        e.dy = Resized(e.dy, 2 * m, 2 * step[1]);
        e.dz = Resized(e.dz, 2 * m, 2 * step[2]);
      } else if (e.kind == kCylinder && axis != kAxisY) {
        e.dx = Resized(e.dx, 2 * m, 2 * step[0]);
        e.dz = Resized(e.dz, 2 * m, 2 * step[2]);
      } else if (axis == kAxisY) {
        // A height grows from the face grabbed; the other stays where it is
        // (and the bottom not under the floor).
        e.dy = Resized(e.dy, grow[1], 2 * step[1]);
        e.y += moved[1] / 2;
        if (e.y - e.dy / 2 < 0) e.y = e.dy / 2;
      } else {
        if (onX) e.dx = Resized(e.dx, 2 * grow[0], 2 * step[0]);
        if (onZ) e.dz = Resized(e.dz, 2 * grow[2], 2 * step[2]);
      }
      break;
    }
    case kTurn: {
      const int field = axis == kAxisX ? 0 : axis == kAxisZ ? 2 : 1;
      const double turned = RoundToStep(travel.degrees, 5 * step[field]);
      if (axis == kAxisX) e.axy += turned;
      if (axis == kAxisZ) e.axz += turned;
      if (axis == kAxisY || axis == kAxisXZ) e.ayz += turned;
      break;
    }
  }
  return e;
}
