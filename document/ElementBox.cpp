#include "ElementBox.h"

#include <algorithm>
#include <cmath>

void TurnedBox(const Element3D& e, double lo[3], double hi[3]) {
  constexpr double kDegree = 3.14159265358979323846 / 180;
  const double cz = std::cos(e.axy * kDegree), sz = std::sin(e.axy * kDegree);
  const double cy = std::cos(e.axz * kDegree), sy = std::sin(e.axz * kDegree);
  const double cx = std::cos(e.ayz * kDegree), sx = std::sin(e.ayz * kDegree);
  const double centre[3] = {e.x, e.y, e.z};
  const double half[3] = {std::fabs(e.dx) / 2, std::fabs(e.dy) / 2, std::fabs(e.dz) / 2};
  for (int a = 0; a < 3; ++a) lo[a] = hi[a] = centre[a];
  for (int corner = 0; corner < 8; ++corner) {
    double v[3];
    for (int a = 0; a < 3; ++a) v[a] = (corner >> a) & 1 ? half[a] : -half[a];
    const double x1 = v[0], y1 = cx * v[1] - sx * v[2], z1 = sx * v[1] + cx * v[2];  // about x
    const double x2 = cy * x1 + sy * z1, y2 = y1, z2 = -sy * x1 + cy * z1;           // about y
    const double w[3] = {cz * x2 - sz * y2, sz * x2 + cz * y2, z2};                  // about z
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], centre[a] + w[a]);
      hi[a] = std::max(hi[a], centre[a] + w[a]);
    }
  }
}
