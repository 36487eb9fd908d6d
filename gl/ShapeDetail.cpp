#include "ShapeDetail.h"

#include <algorithm>
#include <cmath>

#include "document/Element3D.h"

namespace {
constexpr int kSphereSegments = 28, kCylinderSegments = 14;
// A few levels per round shape, so that shapes of nearby sizes share them.
constexpr int kSphereLevels[] = {6, 10, 14, 20, kSphereSegments};
constexpr int kCylinderLevels[] = {6, 10, kCylinderSegments};

double Tolerance(DrawDetail detail) {
  switch (detail) {
    case DrawDetail::Needed:
      return 0.33;
    case DrawDetail::Moving:
      return 1.5;
    default:
      return 0;
  }
}

// The fewest segments whose polygon stays within `tolerance` pixels of a
// circle `radius` pixels wide, as one of `levels`.
template <size_t N>
int Segments(double radius, double tolerance, const int (&levels)[N]) {
  if (!(tolerance > 0)) return levels[N - 1];
  int needed = levels[0];
  if (radius > tolerance) {
    const double angle = std::acos(1 - tolerance / radius);
    needed = angle > 0 ? static_cast<int>(std::ceil(M_PI / angle)) : levels[N - 1];
  }
  for (const int level : levels)
    if (level >= needed) return level;
  return levels[N - 1];
}

double PowerOfTwoBelow(double v) { return std::exp2(std::floor(std::log2(v))); }

double Quantize(double v, double step) { return std::nearbyint(v / step) * step; }
}  // namespace

ShapeKey ShapeForView(const ShapeKey& exact, double pixelsPerUnit, DrawDetail detail) {
  if (detail == DrawDetail::Exact || exact.kind < 0 || !(pixelsPerUnit > 0) || !std::isfinite(pixelsPerUnit))
    return exact;
  const double reach = ShapeReach(exact);
  if (!(reach > 0) || !std::isfinite(reach)) return exact;
  const double radius = reach * pixelsPerUnit;  // pixels
  ShapeKey k = exact;
  const double tolerance = Tolerance(detail);
  if (detail == DrawDetail::Moving && radius < 0.2) return ShapeKey{};  // covers no pixel's centre, or hardly
  // A round shape a few pixels across moves as the box around it.
  if (detail == DrawDetail::Moving && radius < 2 && (k.kind == kSphere || k.kind == kCylinder)) {
    const double r =
        k.kind == kSphere ? std::fabs(k.p[0]) : std::max(std::fabs(k.p[1]), std::fabs(k.p[2])) + std::fabs(k.p[3]);
    const double h = k.kind == kSphere ? r : std::fabs(k.p[0]) / 2 + std::fabs(k.p[3]);
    ShapeKey box;
    box.kind = kPanel;
    box.p[0] = box.p[2] = r;
    box.p[1] = h;
    k = box;
  }
  // A bevel too narrow to change a pixel's shade is left off: the plain
  // solid around it is drawn instead.
  const double bevelTolerance = detail == DrawDetail::Moving ? tolerance : tolerance / 4;
  if (tolerance > 0 && (k.kind == kCube || k.kind == kCylinder) && std::fabs(k.p[3]) * pixelsPerUnit < bevelTolerance)
    k.p[3] = 0;
  if (k.kind == kSphere) k.segments = Segments(std::fabs(k.p[0]) * pixelsPerUnit, tolerance, kSphereLevels);
  if (k.kind == kCylinder)
    k.segments = Segments(std::max(std::fabs(k.p[1]), std::fabs(k.p[2])) * pixelsPerUnit, tolerance, kCylinderLevels);
  if (k.segments == (k.kind == kSphere ? kSphereSegments : kCylinderSegments)) k.segments = 0;

  // Lengths to 1/4096 of the shape's reach, a quarter of a pixel while the
  // shape is under a thousand pixels across on screen (finer past that):
  // the steps do not depend on the view, so equal shapes keep sharing one
  // list wherever they stand; powers of two keep the steps exact.
  const int bits = std::max(12, static_cast<int>(std::ceil(std::log2(4 * radius))));
  const double step = std::ldexp(PowerOfTwoBelow(reach), -bits);
  const int lengths = k.kind == kCube ? 4 : k.kind == kCylinder ? 4 : k.kind == kSphere ? 1 : 3;
  for (int i = 0; i < lengths; ++i) k.p[i] = Quantize(k.p[i], step);
  if (k.kind == kCube) {
    // The top's size in percent moves the top's corners by half the base's
    // size per hundred.
    const double base = std::max({std::fabs(k.p[0]), std::fabs(k.p[2]), step});
    k.p[4] = Quantize(k.p[4], PowerOfTwoBelow(100 * step / base));
  }
  return k;
}

long long ShapeVertexCount(const ShapeKey& k) {
  const long long n = k.segments > 0 ? k.segments : k.kind == kSphere ? kSphereSegments : kCylinderSegments;
  switch (k.kind) {
    case kCube:
      return k.p[3] > 0 ? 18 * 4 + 8 * 3 : 24;
    case kPanel:
      return 24;
    case kSphere:
      return 2 * (n + 2) + (n - 1) * (n + 1) * 2;
    case kCylinder:
      return (k.p[3] != 0 ? 5 : 3) * (n + 1) * 2;
    default:
      return 0;
  }
}
