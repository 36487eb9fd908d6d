#include <GL/gl.h>

#include <cmath>
#include <utility>
#include <vector>

#include "DrawWrappers.h"
#include "Meshes.h"
#include "VectorOps.h"

namespace {
// Ring column i of n: the last column (i = n) is exactly angle 0 so the seam
// closes without a gap, and one step past it (i = n + 1) is column 1.
template <class T>
void RingAngle(int i, int n, T& s, T& c) {
  if (i == n) {
    s = 0;
    c = 1;
    return;
  }
  if (i == n + 1) i = 1;
  const T theta = static_cast<T>(i) * static_cast<T>(2 * M_PI) / static_cast<T>(n);
  s = std::sin(theta);
  c = std::cos(theta);
}

// The ring of sines and cosines of column i = 0 .. n + 1, worked out once
// for all the strips of a mesh.
template <class T>
std::vector<std::pair<T, T>> Ring(int n) {
  std::vector<std::pair<T, T>> ring(static_cast<size_t>(n) + 2);
  for (int i = 0; i <= n + 1; ++i) RingAngle(i, n, ring[i].first, ring[i].second);
  return ring;
}

// A latitude of the sphere: the radius of its circle and its height.
struct Latitude {
  Latitude(double r, double phi) : rho(r * std::sin(phi)), y(r * std::cos(phi)) {}
  double rho, y;
};

void SpherePoint(const Latitude& at, double sinTheta, double cosTheta, double p[3]) {
  p[0] = at.rho * cosTheta;
  p[1] = at.y;
  p[2] = at.rho * sinTheta;
}

// The wall's normal is (sin, slope, cos) with slope = (R - Rt) / h. A wall of
// no height (or one so low the slope overflows) is a flat ring: it faces
// straight up or down, or, between equal radii, outwards, never NaN or
// infinity.
template <class T>
struct WallSlope {
  WallSlope(T h, T R, T Rt) : slope((R - Rt) / h) {
    // Drawn as floats either way.
    if (std::isfinite(static_cast<float>(slope))) return;
    flat = true;
    slope = R > Rt ? 1 : R < Rt ? -1 : 0;
  }
  // The normal of column (s, c).
  void At(T s, T c, T n[3]) const {
    n[0] = flat && slope != 0 ? 0 : s;
    n[1] = slope;
    n[2] = flat && slope != 0 ? 0 : c;
  }
  T slope;
  bool flat = false;
};

// Sphere normals are the points over the radius; a sphere of radius 0 gets
// zero normals rather than NaN.
void SphereNormal(const double p[3], double r) {
  if (r == 0)
    NormalF(0, 0, 0);
  else
    NormalF(static_cast<float>(p[0] / r), static_cast<float>(p[1] / r), static_cast<float>(p[2] / r));
}

void SphereVertex(const double p[3]) {
  VertexF(static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2]));
}
}  // namespace

void TriangleNormal(const double p1[3], const double p2[3], const double p3[3], double n[3]) {
  const double a[3] = {p1[0] - p2[0], p1[1] - p2[1], p1[2] - p2[2]};
  const double b[3] = {p2[0] - p3[0], p2[1] - p3[1], p2[2] - p3[2]};
  CrossProduct(a, b, n);
  Normalize(n);
}

void DrawSphere(int stacks, int slices, double r) {
  const double dPhi = M_PI / stacks, dTheta = 2 * M_PI / slices;
  double p[3], q[3];

  // The columns' sines and cosines, once for every band: the top walks the
  // columns from 2 pi down, the bands and the bottom from 0 up.
  std::vector<std::pair<double, double>> down, up;
  double theta = 2 * M_PI;
  for (int i = 0; i <= slices; ++i, theta -= dTheta) down.emplace_back(std::sin(theta), std::cos(theta));
  theta = 0;
  for (int i = 0; i <= slices; ++i, theta += dTheta) up.emplace_back(std::sin(theta), std::cos(theta));

  BeginPrimitive(GL_TRIANGLE_FAN);
  NormalF(0, 1, 0);
  VertexF(0, static_cast<float>(r), 0);
  const Latitude first(r, dPhi);
  for (const auto& [sinTheta, cosTheta] : down) {
    SpherePoint(first, sinTheta, cosTheta, p);
    SphereNormal(p, r);
    SphereVertex(p);
  }
  EndPrimitive();

  for (int band = 1; band < stacks; ++band) {
    const double phi = band * dPhi;
    const Latitude lower(r, phi + dPhi), upper(r, phi);
    BeginPrimitive(GL_QUAD_STRIP);
    for (const auto& [sinTheta, cosTheta] : up) {
      SpherePoint(lower, sinTheta, cosTheta, p);
      SpherePoint(upper, sinTheta, cosTheta, q);
      SphereNormal(p, r);
      TexCoord(0, 0);
      SphereVertex(p);
      TexCoord(1, 1);
      SphereVertex(q);
    }
    EndPrimitive();
  }

  BeginPrimitive(GL_TRIANGLE_FAN);
  NormalF(0, -1, 0);
  VertexF(0, static_cast<float>(-r), 0);
  const Latitude last(r, M_PI - dPhi);
  for (const auto& [sinTheta, cosTheta] : up) {
    SpherePoint(last, sinTheta, cosTheta, p);
    SphereNormal(p, r);
    SphereVertex(p);
  }
  EndPrimitive();
  NormalF(0, 1, 0);
}

void DrawCylinder(int n, float h, float R, float Rt) {
  const WallSlope<float> wall(h, R, Rt);
  const float step = 1.0f / static_cast<float>(n);
  const auto ring = Ring<float>(n);

  BeginPrimitive(GL_QUAD_STRIP);
  float sigma = static_cast<float>(n - 1) / static_cast<float>(n);
  for (int i = 0; i <= n; ++i, sigma -= step) {
    const auto [s, c] = ring[i];
    float normal[3];
    wall.At(s, c, normal);
    NormalF(normal[0], normal[1], normal[2]);
    TexCoordF(-sigma, 0);
    VertexF(R * s, -h / 2, R * c);
    NormalF(normal[0], normal[1], normal[2]);
    TexCoordF(-sigma, 1);
    VertexF(Rt * s, h / 2, Rt * c);
  }
  EndPrimitive();

  // Discs as strips alternating centre and rim: every other triangle is
  // degenerate, the rest fill the disc.
  BeginPrimitive(GL_TRIANGLE_STRIP);
  for (int i = 0; i <= n; ++i) {
    const auto [s, c] = ring[i];
    Normal(0, 1, 0);
    TexCoord(0, 0);
    Vertex(0, h / 2, 0);
    TexCoord(0, 1);
    Vertex(Rt * s, h / 2, Rt * c);
  }
  EndPrimitive();

  BeginPrimitive(GL_TRIANGLE_STRIP);
  for (int i = 0; i <= n; ++i) {
    const auto [s, c] = ring[i];
    Normal(0, -1, 0);
    TexCoord(0, 0);
    Vertex(0, -h / 2, 0);
    TexCoord(0, 1);
    Vertex(R * s, -h / 2, R * c);
  }
  EndPrimitive();
}

void DrawBeveledCylinder(int n, double h, double R, double Rt, double w) {
  if (w == 0) {
    DrawCylinder(n, static_cast<float>(h), static_cast<float>(R), static_cast<float>(Rt));
    return;
  }
  const WallSlope<double> wall(h, R, Rt);
  const double step = 1.0 / n;
  const auto ring = Ring<double>(n);

  BeginPrimitive(GL_QUAD_STRIP);
  double sigma = static_cast<double>(n - 1) / n;
  for (int i = 0; i <= n; ++i, sigma -= step) {
    const auto [s, c] = ring[i];
    double d[3];
    wall.At(s, c, d);
    const float normal[3] = {static_cast<float>(d[0]), static_cast<float>(d[1]), static_cast<float>(d[2])};
    NormalF(normal[0], normal[1], normal[2]);
    TexCoordF(static_cast<float>(sigma), 0);
    VertexF(static_cast<float>(R * s), static_cast<float>(-h / 2 + w), static_cast<float>(R * c));
    NormalF(normal[0], normal[1], normal[2]);
    TexCoordF(static_cast<float>(sigma), 1);
    VertexF(static_cast<float>(Rt * s), static_cast<float>(h / 2 - w), static_cast<float>(Rt * c));
  }
  EndPrimitive();

  // The two bevels: inner rim at the cap, outer rim on the wall.
  for (int top = 1; top >= 0; --top) {
    const double radius = top ? Rt : R;
    const double capY = top ? h / 2 : -h / 2;
    const double wallY = top ? h / 2 - w : -h / 2 + w;
    const double sign = top ? 1 : -1;
    BeginPrimitive(GL_QUAD_STRIP);
    sigma = static_cast<double>(n - 1) / n;
    for (int i = 0; i <= n; ++i, sigma -= step) {
      const auto [s, c] = ring[i];
      const auto [s1, c1] = ring[i + 1];
      const double p1[3] = {(radius - w) * s1, capY, (radius - w) * c1};
      const double p2[3] = {(radius - w) * s, capY, (radius - w) * c};
      const double p3[3] = {radius * s, wallY, radius * c};
      double normal[3];
      TriangleNormal(p1, p2, p3, normal);
      Normal(sign * normal[0], sign * normal[1], sign * normal[2]);
      TexCoordF(static_cast<float>(sigma), 0);
      Vertex(p2[0], p2[1], p2[2]);
      TexCoordF(static_cast<float>(sigma), 1);
      Vertex(p3[0], p3[1], p3[2]);
    }
    EndPrimitive();
  }

  for (int top = 1; top >= 0; --top) {
    const double radius = (top ? Rt : R) - w;
    const double y = top ? h / 2 : -h / 2;
    BeginPrimitive(GL_TRIANGLE_STRIP);
    for (int i = 0; i <= n; ++i) {
      const auto [s, c] = ring[i];
      Normal(0, top ? 1 : -1, 0);
      TexCoord(0, 0);
      Vertex(0, y, 0);
      TexCoord(0, 1);
      Vertex(radius * s, y, radius * c);
    }
    EndPrimitive();
  }
}
