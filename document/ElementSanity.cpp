#include "ElementSanity.h"

#include <cmath>

#include "Element3D.h"
#include "common/TIMem32.h"

namespace {
bool Sane(double v) { return std::isfinite(v) && std::fabs(v) < kMaxElementValue; }
}  // namespace

bool IsDrawableElement(const Element3D& e) {
  // The record is packed: copy each field out before using it.
  const double values[] = {e.dx, e.dy, e.dz, e.x, e.y, e.z, e.axy, e.ayz, e.axz, e.chamfer, e.topPercent};
  for (const double v : values)
    if (!Sane(v)) return false;
  return true;
}

int32_t CountUndrawableElements(const TIMem32& elements) {
  int32_t count = 0;
  for (int32_t i = 0; i < elements.Count(); ++i) {
    const Element3D& e = elements.As<Element3D>(i);
    if (e.invisible == 0 && !IsDrawableElement(e)) ++count;
  }
  return count;
}
