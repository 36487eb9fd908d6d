#include "Camera.h"

#include <cmath>

#include "GLView.h"
#include "VectorOps.h"

void OrbitCamera(GLView& view, double a, double b, double c) {
  RotatePoint(view.Eye[0], view.Eye[1], view.Eye[2], view.Center[0], view.Center[1], view.Center[2], a, b, c);
  RotatePoint(view.Up[0], view.Up[1], view.Up[2], 0, 0, 0, a, b, c);
}

void RotateCamera(GLView& view, const double axis[3], double angle) {
  // The angle travels in single precision, as the mouse handler has always
  // handed it over.
  const double theta = static_cast<float>(angle * M_PI * (1.0 / 180.0));
  double d[4] = {view.Eye[0] - view.Center[0], view.Eye[1] - view.Center[1], view.Eye[2] - view.Center[2], 0};
  RotateVector(d, axis, theta);
  for (int i = 0; i < 3; ++i) view.Eye[i] = d[i] + view.Center[i];
  double u[4] = {view.Up[0], view.Up[1], view.Up[2], 0};
  RotateVector(u, axis, theta);
  for (int i = 0; i < 3; ++i) view.Up[i] = u[i];
}
