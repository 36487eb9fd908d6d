#include "PivotTurn.h"

#include <algorithm>
#include <cmath>

#include "ElementBox.h"

void PivotBox::Add(const Element3D& e) {
  double l[3], h[3];
  TurnedBox(e, l, h);
  for (int a = 0; a < 3; ++a) {
    lo[a] = any ? std::min(lo[a], l[a]) : l[a];
    hi[a] = any ? std::max(hi[a], h[a]) : h[a];
  }
  any = true;
}

void PivotBox::Centre(double centre[3]) const {
  for (int a = 0; a < 3; ++a) centre[a] = (lo[a] + hi[a]) / 2;
}

namespace {
constexpr double kDegree = 3.14159265358979323846 / 180;

// Turns p (relative to the pivot) right-handed about world axis `axis`.
// Quarter turns come out exact, so a group turned by them stays on its grid.
void TurnAbout(double p[3], int axis, double degrees) {
  if (degrees == 0 || !std::isfinite(degrees)) return;
  const double r = std::remainder(degrees, 360.0);
  double c = std::cos(r * kDegree), s = std::sin(r * kDegree);
  if (r == 90 || r == -90) c = 0, s = r > 0 ? 1 : -1;
  if (r == 180 || r == -180) c = -1, s = 0;
  const int u = (axis + 1) % 3, v = (axis + 2) % 3;  // x: (y, z), y: (z, x), z: (x, y)
  const double pu = p[u], pv = p[v];
  p[u] = c * pu - s * pv;
  p[v] = s * pu + c * pv;
}
}  // namespace

Element3D TurnedAboutPivot(const Element3D& before, const Element3D& turned, const double pivot[3]) {
  Element3D e = turned;
  if (turned.ayz == before.ayz && turned.axz == before.axz && turned.axy == before.axy) return e;
  double p[3] = {e.x - pivot[0], e.y - pivot[1], e.z - pivot[2]};
  TurnAbout(p, 0, turned.ayz - before.ayz);
  TurnAbout(p, 1, turned.axz - before.axz);
  TurnAbout(p, 2, turned.axy - before.axy);
  e.x = pivot[0] + p[0];
  e.y = pivot[1] + p[1];
  e.z = pivot[2] + p[2];
  return e;
}
