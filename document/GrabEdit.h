#pragma once
#include <cstdint>

#include "EditSteps.h"
#include "Element3D.h"

// An element drag computed from the press: the element as it was when the
// pointer went down, changed by the pointer's whole travel since then,
// rounded to the nearest edit step. Working from the press (not adding up
// move by move) keeps rounding from drifting or creeping.
struct GrabTravel {
  // How far the pressed point has to go along x, y, z to stay under the
  // pointer (XZ mode: x and z; one axis: that axis only).
  double along[3] = {0, 0, 0};
  // A turn's angle in degrees.
  double degrees = 0;
};

// On which side of the element's centre the press landed, per axis (+1 or
// -1): the face of that side is the one a resize moves with the pointer.
struct GrabSides {
  int side[3] = {1, 1, 1};
};
GrabSides SidesOfPress(const Element3D& pressed, const double point[3]);

// `atPress` moved, resized or turned by `travel`. `step` is the edit step
// per axis; turns round to five times the step of their axis in degrees.
// A size that would come out exactly 0 becomes twice its axis's step.
Element3D GrabbedElement(const Element3D& atPress, MoveMode mode, EditAxis axis, const GrabTravel& travel,
                         const GrabSides& sides, const double step[3]);
