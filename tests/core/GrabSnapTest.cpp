#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "document/ElementBox.h"
#include "document/GrabSnap.h"

namespace {
Element3D Box(double x, double y, double z, double dx, double dy, double dz) {
  Element3D e{};
  e.x = x, e.y = y, e.z = z;
  e.dx = dx, e.dy = dy, e.dz = dz;
  return e;
}

SnapBox BoxOf(const Element3D& e) {
  SnapBox b;
  TurnedBox(e, b.lo, b.hi);
  return b;
}

const double kGrid[3] = {0.5, 0.5, 0.5};

// The same reach on every axis.
std::array<double, 3> R(double r) { return {r, r, r}; }
}  // namespace

// Which plane wins: the nearest within reach, flush or level or centred,
// only on the axes asked for, and only from neighbours.
TEST(GrabSnap, TheNearestPlaneWithinReachWins) {
  const SnapBox moving{{0, 0, 0}, {2, 2, 2}};
  const int all[3] = {kSnapAll, kSnapAll, kSnapAll};
  // Flush: its right face 0.2 short of the other's left face.
  SnapHit hit = FindSnap(moving, {SnapBox{{2.2, 0, 0}, {4, 2, 2}}}, all, R(0.3).data());
  ASSERT_TRUE(hit.snapped[0]);
  EXPECT_NEAR(hit.shift[0], 0.2, 1e-12);
  EXPECT_EQ(hit.target[0], 0);
  // The same box on y and z sits level already: a shift of 0 is a snap too
  // (the grid must not pull it out of line).
  EXPECT_TRUE(hit.snapped[1]);
  EXPECT_EQ(hit.shift[1], 0);

  // Of two boxes the nearer plane wins, whichever comes first; level (top
  // with top) counts as flush does.
  hit = FindSnap(moving, {SnapBox{{2.25, 0.7, 0}, {3, 1.6, 2}}, SnapBox{{-3, -0.5, 0}, {-0.1, 2.1, 2}}}, all,
                 R(0.3).data());
  EXPECT_EQ(hit.target[0], 1);
  EXPECT_NEAR(hit.shift[0], -0.1, 1e-12) << "flush on the left, nearer than 0.25 on the right";
  EXPECT_EQ(hit.target[1], 1);
  EXPECT_NEAR(hit.shift[1], 0.1, 1e-12) << "top level with the other's top, nearer than centre to centre";

  // Centre to centre: a narrow post whose centre is 0.15 off.
  hit = FindSnap(moving, {SnapBox{{1.05, 0.5, 1.05}, {1.25, 1.5, 1.25}}}, all, R(0.2).data());
  EXPECT_NEAR(hit.shift[0], 0.15, 1e-12);

  // Beyond the reach, on an axis not asked for, or far away: nothing.
  const int onlyX[3] = {kSnapAll, kSnapNone, kSnapNone};
  EXPECT_FALSE(FindSnap(moving, {SnapBox{{2.5, 0, 0}, {4, 2.1, 2}}}, all, R(0.3).data()).snapped[0]);
  hit = FindSnap(moving, {SnapBox{{2.2, 0.1, 0}, {4, 2.1, 2}}}, onlyX, R(0.3).data());
  EXPECT_TRUE(hit.snapped[0]);
  EXPECT_FALSE(hit.snapped[1]);
  EXPECT_FALSE(FindSnap(moving, {SnapBox{{2.1, 0, 40}, {4, 2, 42}}}, all, R(0.3).data()).Any())
      << "a box far off on z is no neighbour";
  EXPECT_FALSE(FindSnap(moving, {SnapBox{{2.1, 0, 0}, {4, 2, 2}}}, all, R(0).data()).Any());
  EXPECT_FALSE(FindSnap(moving, {SnapBox{{2.1, 0, 0}, {4, 2, 2}}}, all, R(NAN).data()).Any());
  const double notAlongY[3] = {0.3, 0, 0.3};
  hit = FindSnap(moving, {SnapBox{{2.2, 0.1, 0}, {4, 2.1, 2}}}, all, notAlongY);
  EXPECT_TRUE(hit.snapped[0]);
  EXPECT_FALSE(hit.snapped[1]) << "no reach along y";
  const int lowOnly[3] = {kSnapLow, kSnapNone, kSnapNone};
  EXPECT_FALSE(FindSnap(moving, {SnapBox{{2.1, 0, 0}, {4, 2, 2}}}, lowOnly, R(0.3).data()).Any())
      << "only the high face was near";
}

// A grab ending a fifth short of a neighbour lies flush, off the grid; one
// ending far from anything keeps the grid; a resize pulls only its face; a
// selection of two snaps as one box.
TEST(GrabSnap, AGrabLiesFlushOffTheGridOrKeepsTheGrid) {
  const Element3D a = Box(0, 1, 0, 2, 2, 2);                                // x from -1 to 1
  const std::vector<SnapBox> neighbour = {BoxOf(Box(5.3, 1, 0, 2, 2, 2))};  // x from 4.3
  const std::vector<std::pair<int32_t, Element3D>> records = {{0, a}};
  GrabTravel t;
  t.along[0] = 3.1;  // its face at 4.1
  SnappedGrab g = SnapGrab(records, kMove, kAxisX, t, GrabSides{}, kGrid, neighbour, R(0.3).data());
  Element3D moved = GrabbedElement(a, kMove, kAxisX, g.travel, GrabSides{}, g.step);
  EXPECT_NEAR(moved.x + 1, 4.3, 1e-12) << "flush with the neighbour";
  EXPECT_EQ(+moved.y, 1);
  // Farther away, the grid.
  t.along[0] = 2.2;
  g = SnapGrab(records, kMove, kAxisX, t, GrabSides{}, kGrid, neighbour, R(0.3).data());
  EXPECT_FALSE(g.hit.Any());
  EXPECT_EQ(+GrabbedElement(a, kMove, kAxisX, g.travel, GrabSides{}, g.step).x, 2.0);

  // On the floor (XZ): x snaps, z keeps the grid.
  t.along[0] = 3.1, t.along[2] = 0.7;
  g = SnapGrab(records, kMove, kAxisXZ, t, GrabSides{}, kGrid, {BoxOf(Box(5.3, 1, -0.9, 2, 2, 2))}, R(0.3).data());
  moved = GrabbedElement(a, kMove, kAxisXZ, g.travel, GrabSides{}, g.step);
  EXPECT_NEAR(moved.x, 3.3, 1e-12);
  EXPECT_NEAR(moved.z, 0.5, 1e-12) << "z: the grid (0.7 -> 0.5), the far z faces are out of reach";

  // A resize pulling the right face to 4.1 meets 4.3; the left face stays
  // centred about x = 0 (so moves the other way), and is no snap itself.
  GrabSides right;
  t = GrabTravel{};
  t.along[0] = 3.1;
  g = SnapGrab(records, kResize, kAxisX, t, right, kGrid, neighbour, R(0.3).data());
  const Element3D resized = GrabbedElement(a, kResize, kAxisX, g.travel, right, g.step);
  EXPECT_NEAR(resized.x + resized.dx / 2, 4.3, 1e-12);
  EXPECT_EQ(+resized.x, 0);

  // Two elements grabbed together: the pair's outer face snaps.
  const std::vector<std::pair<int32_t, Element3D>> pair = {{0, a}, {1, Box(-3, 1, 0, 2, 2, 2)}};
  t = GrabTravel{};
  t.along[0] = -2.1;  // the second's left face from -4 to -6.1
  g = SnapGrab(pair, kMove, kAxisX, t, GrabSides{}, kGrid, {BoxOf(Box(-7.5, 1, 0, 3, 2, 2))}, R(0.3).data());
  EXPECT_NEAR(GrabbedElement(pair[1].second, kMove, kAxisX, g.travel, GrabSides{}, g.step).x - 1, -6, 1e-12);
  EXPECT_NEAR(GrabbedElement(a, kMove, kAxisX, g.travel, GrabSides{}, g.step).x, -2, 1e-12) << "both go the same way";

  // A turn never snaps.
  t = GrabTravel{};
  t.degrees = 11;
  g = SnapGrab(records, kTurn, kAxisY, t, GrabSides{}, kGrid, neighbour, R(100).data());
  EXPECT_FALSE(g.hit.Any());
  EXPECT_EQ(g.step[1], kGrid[1]);
}
