#include "GrabGeometry.h"

#include <cmath>

namespace {
// Below this sine of the angle between axis and ray (about 3 degrees) a
// pixel of pointer movement would throw the element far away.
constexpr double kLeastSine = 0.05;

double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
}  // namespace

double RoundToStep(double v, double s) { return s > 0 ? std::round(v / s) * s : v; }

bool RayMeetsLevel(const double origin[3], const double direction[3], double level, double reach, double hit[3]) {
  const double length = std::sqrt(Dot(direction, direction));
  if (!(length > 0) || std::fabs(direction[1]) < 1e-9 * length) return false;
  const double s = (level - origin[1]) / direction[1];
  if (!(s > 0) || !(s * length <= reach)) return false;
  for (int i = 0; i < 3; ++i) hit[i] = origin[i] + s * direction[i];
  hit[1] = level;
  return true;
}

bool TravelAlongAxis(const double point[3], int axis, const double origin[3], const double direction[3], double& t) {
  const double length = std::sqrt(Dot(direction, direction));
  if (!(length > 0) || axis < 0 || axis > 2) return false;
  const double d[3] = {direction[0] / length, direction[1] / length, direction[2] / length};
  // Lines point + t a and origin + s d, with a and d of unit length:
  // the nearest points solve t - b s = a.w and b t - s = d.w, w = origin - point.
  const double b = d[axis];
  const double denominator = 1 - b * b;
  if (denominator < kLeastSine * kLeastSine) return false;
  const double w[3] = {origin[0] - point[0], origin[1] - point[1], origin[2] - point[2]};
  t = (w[axis] - b * Dot(d, w)) / denominator;
  return std::isfinite(t);
}
