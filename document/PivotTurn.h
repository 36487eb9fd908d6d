#pragma once
#include "Element3D.h"

// Turning a group as one body: the elements' centres go around a common
// pivot by the turn each element's own angles take.

// The box around the drawn (turned) boxes of the elements added; its centre
// is the group's pivot.
struct PivotBox {
  double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
  bool any = false;
  void Add(const Element3D& e);
  void Centre(double centre[3]) const;
};

// `turned` is `before` with its angles changed (and nothing else that moves
// it): returns `turned` with its centre carried around `pivot` by the same
// turns, about the world axis each angle turns about (axy z, axz y, ayz x,
// right-handed as the element is drawn).
Element3D TurnedAboutPivot(const Element3D& before, const Element3D& turned, const double pivot[3]);
