#pragma once

struct GLView;

// Turns Eye about Center and Up about the origin by the angles of
// RotatePoint (degrees); the editor passes only b, a turn about the vertical.
void OrbitCamera(GLView& view, double a, double b, double c);
// Turns Eye about Center, and Up, by `angle` degrees about `axis`.
void RotateCamera(GLView& view, const double axis[3], double angle);
