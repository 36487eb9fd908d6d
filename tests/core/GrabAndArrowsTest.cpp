#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "document/ArrowDirections.h"
#include "document/GrabEdit.h"
#include "document/GrabGeometry.h"

namespace {
Element3D Box(int32_t kind, double x, double y, double z, double d) {
  Element3D e{};
  e.kind = kind;
  e.x = x, e.y = y, e.z = z;
  e.dx = e.dy = e.dz = d;
  return e;
}

// The face of `e` on `side` of its centre along `axis`.
double Face(const Element3D& e, int axis, int side) {
  const double centre[3] = {e.x, e.y, e.z}, size[3] = {e.dx, e.dy, e.dz};
  return centre[axis] + side * size[axis] / 2;
}
}  // namespace

// The pointer's ray against the pressed point's level and axis: a ray
// through a known point must give that point back, and unsteady or absent
// answers are refused.
TEST(GrabGeometry, RaysFindTheLevelAndTheAxisPointTheyPassThrough) {
  EXPECT_EQ(RoundToStep(0.26, 0.5), 0.5) << "rounds to the nearest step, not toward zero";
  EXPECT_EQ(RoundToStep(-0.26, 0.5), -0.5);
  EXPECT_EQ(RoundToStep(0.24, 0.5), 0.0);

  const double eye[3] = {3, 12, 9};
  const double through[3] = {-2, 1.5, -4};
  const double toward[3] = {through[0] - eye[0], through[1] - eye[1], through[2] - eye[2]};
  double hit[3];
  ASSERT_TRUE(RayMeetsLevel(eye, toward, 1.5, 100, hit));
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(hit[i], through[i], 1e-12);
  const double away[3] = {-toward[0], -toward[1], -toward[2]};
  EXPECT_FALSE(RayMeetsLevel(eye, away, 1.5, 100, hit)) << "behind the eye";
  const double level[3] = {1, 0, -1};
  EXPECT_FALSE(RayMeetsLevel(eye, level, 1.5, 100, hit)) << "parallel";
  EXPECT_FALSE(RayMeetsLevel(eye, toward, 1.5, 5, hit)) << "beyond reach";

  // The ray passes through the axis line 2.5 units from the pressed point,
  // along each axis in turn, from eyes at various angles.
  const double pressed[3] = {1, 2, -3};
  for (int axis = 0; axis < 3; ++axis) {
    double on[3] = {pressed[0], pressed[1], pressed[2]};
    on[axis] -= 2.5;
    for (const auto& from : {std::array<double, 3>{10, 8, 7}, std::array<double, 3>{-4, 20, 1}}) {
      const double d[3] = {on[0] - from[0], on[1] - from[1], on[2] - from[2]};
      double t = 0;
      ASSERT_TRUE(TravelAlongAxis(pressed, axis, from.data(), d, t)) << axis;
      EXPECT_NEAR(t, -2.5, 1e-9) << axis;
    }
  }
  // Looking (almost) along the axis, the nearest point runs away: refused.
  const double alongX[3] = {1, 0.01, 0};
  double t = 0;
  EXPECT_FALSE(TravelAlongAxis(pressed, 0, eye, alongX, t));
}

// From the press: moves round to the nearest step, the grabbed face follows
// the pointer (and only the height keeps its other face), sizes never
// collapse, turns round to five steps.
TEST(GrabEdit, TheGrabbedPointOrFaceFollowsThePointerByWholeSteps) {
  const double step[3] = {0.5, 0.5, 0.5};
  const Element3D cube = Box(kCube, 0, 2, 0, 4);
  GrabTravel t;
  t.along[0] = 0.3, t.along[2] = -0.74;
  const GrabSides anySide;
  Element3D e = GrabbedElement(cube, kMove, kAxisXZ, t, anySide, step);
  EXPECT_EQ(+e.x, 0.5);
  EXPECT_EQ(+e.z, -0.5);
  EXPECT_EQ(+e.y, 2) << "the XZ mode keeps the height";
  t = {};
  t.along[0] = 0.2;
  EXPECT_EQ(+GrabbedElement(cube, kMove, kAxisXZ, t, anySide, step).x, 0) << "a small move does not jump";

  // Resizes along each axis, grabbed on either side, of a box up in the
  // air: the grabbed face goes with the pointer by the rounded travel.
  const Element3D high = Box(kCube, 1, 5, -1, 4);
  for (int axis = 0; axis < 3; ++axis) {
    for (int side : {-1, 1}) {
      double pressed[3] = {high.x, high.y, high.z};
      pressed[axis] += side * 2;  // on the face
      const GrabSides sides = SidesOfPress(high, pressed);
      for (double travel : {1.1, -0.9, 0.2}) {
        GrabTravel g;
        g.along[axis] = travel;
        const Element3D r = GrabbedElement(high, kResize, static_cast<EditAxis>(axis), g, sides, step);
        EXPECT_DOUBLE_EQ(Face(r, axis, side), Face(high, axis, side) + RoundToStep(travel, 0.5))
            << "axis " << axis << " side " << side << " travel " << travel;
        if (axis == 1) {
          EXPECT_DOUBLE_EQ(Face(r, 1, -side), Face(high, 1, -side)) << "the other face of the height";
        }
      }
    }
  }
  // Pulled through the other face: a positive size, never 0, never under the floor.
  const double top[3] = {0, 4, 0};
  GrabTravel down;
  down.along[1] = -4;
  e = GrabbedElement(cube, kResize, kAxisY, down, SidesOfPress(cube, top), step);
  EXPECT_EQ(+e.dy, 1.0);
  EXPECT_GE(e.y - e.dy / 2, 0);
  GrabTravel turn;
  turn.degrees = 7.4;
  EXPECT_EQ(+GrabbedElement(cube, kTurn, kAxisXZ, turn, anySide, step).ayz, 7.5);
  EXPECT_EQ(+GrabbedElement(cube, kTurn, kAxisX, turn, anySide, step).axy, 7.5);
  EXPECT_EQ(+GrabbedElement(cube, kTurn, kAxisZ, turn, anySide, step).axz, 7.5);
}

namespace {
// The axes as an orthographic camera looking along `sight` sees them.
AxesOnScreen Camera(const double sight[3], const double upHint[3]) {
  auto cross = [](const double a[3], const double b[3], double o[3]) {
    o[0] = a[1] * b[2] - a[2] * b[1], o[1] = a[2] * b[0] - a[0] * b[2], o[2] = a[0] * b[1] - a[1] * b[0];
  };
  double f[3], r[3], u[3];
  const double n = std::hypot(sight[0], sight[1], sight[2]);
  for (int i = 0; i < 3; ++i) f[i] = sight[i] / n;
  cross(f, upHint, r);
  const double rn = std::hypot(r[0], r[1], r[2]);
  for (double& v : r) v /= rn;
  cross(r, f, u);
  AxesOnScreen a;
  for (int axis = 0; axis < 3; ++axis) {
    a.pixels[axis][0] = 40 * r[axis];
    a.pixels[axis][1] = -40 * u[axis];  // pixels grow downwards
    a.sight[axis] = f[axis];
  }
  return a;
}
}  // namespace

// Seen from anywhere around and above, each arrow moves the picture its way
// (on the floor in the XZ mode, and along each axis that runs the arrow's
// way), and the two floor axes are never the same.
TEST(ArrowDirections, EveryArrowMovesThePictureItsWayFromEveryAngle) {
  const double up[3] = {0, 1, 0};
  const Arrow arrows[] = {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down};
  const double want[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (int yaw = 0; yaw < 360; yaw += 15) {
    for (int pitch : {5, 20, 45, 70, 89}) {
      const double a = yaw * M_PI / 180, p = pitch * M_PI / 180;
      const double sight[3] = {-std::cos(p) * std::sin(a), -std::sin(p), -std::cos(p) * std::cos(a)};
      const AxesOnScreen axes = Camera(sight, up);
      const FloorAxes floor = FloorAxesOnScreen(axes);
      ASSERT_NE(floor.h, floor.v);
      for (int k = 0; k < 4; ++k) {
        const bool across = k < 2;
        const int axis = across ? floor.h : floor.v;
        const double s = (k == 0 || k == 3 ? -1 : 1) * (across ? floor.signH : floor.signV);
        const double moved = s * (axes.pixels[axis][0] * want[k][0] + axes.pixels[axis][1] * want[k][1]);
        EXPECT_GT(moved, 0) << "yaw " << yaw << " pitch " << pitch << " arrow " << k;
        // On a single axis: whenever the axis runs within 60 degrees of the arrow.
        for (int single = 0; single < 3; ++single) {
          const double* px = axes.pixels[single];
          const double along = px[0] * want[k][0] + px[1] * want[k][1];
          // Seen (nearly) end-on, an axis has no way on the screen to keep.
          if (std::hypot(px[0], px[1]) < 4 || std::fabs(along) < 0.5 * std::hypot(px[0], px[1])) continue;
          EXPECT_GT(ArrowSign(axes, single, arrows[k]) * along, 0) << "axis " << single << " yaw " << yaw;
        }
      }
    }
  }
  // Straight down, y points into the screen: Up pushes it away (down), and
  // Right across a vertical axis answers as Up.
  const double down[3] = {0, -1, 0}, north[3] = {0, 0, -1};
  const AxesOnScreen top = Camera(down, north);
  EXPECT_EQ(ArrowSign(top, 1, Arrow::Up), -1);
  EXPECT_EQ(ArrowSign(top, 1, Arrow::Down), 1);
  const double front[3] = {0, 0, -1};
  const AxesOnScreen facing = Camera(front, up);
  EXPECT_EQ(ArrowSign(facing, 1, Arrow::Right), 1);
  EXPECT_EQ(ArrowSign(facing, 1, Arrow::Left), -1);
}
