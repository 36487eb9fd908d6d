#pragma once

// Small vector helpers of the camera and the meshes; all in doubles.

// Turns (x, y, z) about (cx, cy, cz): by a in the XY plane (the opposite way
// to a right-handed turn about Z), then by b right-handed about Y, then by c
// in the YZ plane (the opposite way to a right-handed turn about X).
// Angles in degrees.
void RotatePoint(double& x, double& y, double& z, double cx, double cy, double cz, double a, double b, double c);

void CrossProduct(const double a[3], const double b[3], double out[3]);
// Divides v by its length (when not 0) and returns the length.
double Normalize(double v[3]);

// Rotation by `theta` radians about `axis`, row by row; an axis of length 0
// gives the identity.
void AxisAngleMatrix(const double axis[3], double theta, double m[4][4]);
// v (x, y, z, w) as a row vector times the axis-angle matrix.
void RotateVector(double v[4], const double axis[3], double theta);
