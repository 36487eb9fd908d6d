#include "MirrorSelection.h"

#include <algorithm>

#include "EditorDocument.h"
#include "ElementBox.h"

namespace {
// Reflects the centre's coordinate in place. Each field is named: the record
// is packed, so its doubles may not be reached through a reference or pointer.
void Reflect(Element3D& e, int axis, double centre) {
  if (axis == 0)
    e.x = 2 * centre - e.x;
  else if (axis == 1)
    e.y = 2 * centre - e.y;
  else
    e.z = 2 * centre - e.z;
}
}  // namespace

bool MirrorSelection(EditorDocument& doc, int axis) {
  if (doc.SelectionCount() == 0 || axis < 0 || axis > 2) return false;
  double lo = 0, hi = 0;
  bool first = true;
  for (int32_t k = 0; k < doc.SelectionCount(); ++k) {
    double l[3], h[3];
    TurnedBox(doc.Element(doc.SelectedIndex(k)), l, h);
    lo = first ? l[axis] : std::min(lo, l[axis]);
    hi = first ? h[axis] : std::max(hi, h[axis]);
    first = false;
  }
  const double centre = (lo + hi) / 2;
  doc.PushUndo(StepName::Mirror);
  for (int32_t k = 0; k < doc.SelectionCount(); ++k) {
    Element3D& e = doc.Element(doc.SelectedIndex(k));
    Reflect(e, axis, centre);
    // A reflection keeps the turn about its own axis and reverses the
    // other two (axy turns about z, axz about y, ayz about x).
    if (axis != 2) e.axy = -e.axy;
    if (axis != 1) e.axz = -e.axz;
    if (axis != 0) e.ayz = -e.ayz;
    // The shapes are symmetric but for a taper along their own y: mirrored
    // along y, a half turn about x puts the narrow end below.
    if (axis == 1 && e.topPercent != 100) e.ayz = 180 + e.ayz;
  }
  return true;
}
