#include "VectorOps.h"

#include <cmath>

namespace {
constexpr double kDegree = M_PI * (1.0 / 180.0);
}

void RotatePoint(double& x, double& y, double& z, double cx, double cy, double cz, double a, double b, double c) {
  a *= kDegree;
  b *= kDegree;
  c *= kDegree;
  double dx = x - cx, dy = y - cy;
  x = dy * std::sin(a) + dx * std::cos(a) + cx;
  y = dy * std::cos(a) - dx * std::sin(a) + cy;
  dx = x - cx;
  double dz = z - cz;
  x = dz * std::sin(b) + dx * std::cos(b) + cx;
  z = dz * std::cos(b) - dx * std::sin(b) + cz;
  dy = y - cy;
  dz = z - cz;
  y = dz * std::sin(c) + dy * std::cos(c) + cy;
  z = dz * std::cos(c) - dy * std::sin(c) + cz;
}

void CrossProduct(const double a[3], const double b[3], double out[3]) {
  const double x = a[1] * b[2] - a[2] * b[1];
  const double y = a[2] * b[0] - a[0] * b[2];
  const double z = a[0] * b[1] - a[1] * b[0];
  out[0] = x;
  out[1] = y;
  out[2] = z;
}

double Normalize(double v[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0)
    for (int i = 0; i < 3; ++i) v[i] /= length;
  return length;
}

void AxisAngleMatrix(const double axis[3], double theta, double m[4][4]) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) m[i][j] = i == j ? 1.0 : 0.0;
  double n[3] = {axis[0], axis[1], axis[2]};
  if (Normalize(n) == 0) return;
  const double x = n[0], y = n[1], z = n[2];
  const double s = std::sin(theta), c = std::cos(theta), t = 1 - c;
  m[0][0] = x * x * t + c;
  m[0][1] = t * x * y - s * z;
  m[0][2] = t * z * x + s * y;
  m[1][0] = t * x * y + s * z;
  m[1][1] = y * y * t + c;
  m[1][2] = t * y * z - s * x;
  m[2][0] = t * z * x - s * y;
  m[2][1] = t * y * z + s * x;
  m[2][2] = z * z * t + c;
}

void RotateVector(double v[4], const double axis[3], double theta) {
  double m[4][4];
  AxisAngleMatrix(axis, theta, m);
  double out[4] = {0, 0, 0, 0};
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) out[j] += v[i] * m[i][j];
  for (int j = 0; j < 4; ++j) v[j] = out[j];
}
