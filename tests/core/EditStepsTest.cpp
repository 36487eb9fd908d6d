#include <gtest/gtest.h>

#include <cstring>

#include "document/EditSteps.h"
#include "document/Element3D.h"

namespace {
Element3D Box(int32_t kind, double dx, double dy, double dz, double y = 0) {
  Element3D e;
  std::memset(&e, 0, sizeof e);
  e.kind = kind;
  e.dx = dx, e.dy = dy, e.dz = dz;
  e.y = y;
  return e;
}
const double kStep[3] = {0.5, 0.5, 0.5};
}  // namespace

TEST(EditSteps, SnapTruncatesTowardZero) {
  EXPECT_EQ(Snap(1.26, 0.5), 1.0);
  EXPECT_EQ(Snap(-1.26, 0.5), -1.0);
  EXPECT_EQ(Snap(0.49, 0.5), 0.0);
  EXPECT_EQ(Snap(-0.49, 0.5), 0.0);
  EXPECT_EQ((DragMovement{1, -2, 2}.Dominant()), -2);
  EXPECT_EQ((DragMovement{-3, 1, 2}.Dominant()), -3);
}

TEST(EditSteps, DragResizeNeverCollapsesAndTakesAbsoluteSizes) {
  Element3D e = Box(kCube, 1, 2, 3);
  ApplyDragStep(e, kResize, kAxisX, {-0.5, 0, 0}, kStep);  // 1 - 1 = 0 -> twice the step
  EXPECT_EQ(double{e.dx}, 1.0);
  ApplyDragStep(e, kResize, kAxisX, {-1, 0, 0}, kStep);  // 1 - 2 = -1 -> 1
  EXPECT_EQ(double{e.dx}, 1.0);

  Element3D tall = Box(kCube, 2, 2, 2, 1);
  ApplyDragStep(tall, kResize, kAxisY, {0, -0.5, 0}, kStep);
  EXPECT_EQ(double{tall.dy}, 1.0);
  EXPECT_EQ(double{tall.y}, 0.5);

  Element3D low = Box(kCube, 2, 2, 2, 1);
  ApplyDragStep(low, kResize, kAxisY, {0, 2, 0}, kStep);  // grows by 4, centre up by 2
  EXPECT_EQ(double{low.dy}, 6.0);
  EXPECT_EQ(double{low.y}, 3.0);

  Element3D ball = Box(kSphere, 2, 2, 2);
  ApplyDragStep(ball, kResize, kAxisZ, {0, 0, 0.5}, kStep);
  EXPECT_EQ(double{ball.dx}, 3);
  EXPECT_EQ(double{ball.dy}, 3);
  EXPECT_EQ(double{ball.dz}, 3);

  Element3D can = Box(kCylinder, 2, 2, 2);
  ApplyDragStep(can, kResize, kAxisXZ, {0.5, 0, 0}, kStep);
  EXPECT_EQ(double{can.dx}, 3);
  EXPECT_EQ(double{can.dz}, 3);
  EXPECT_EQ(double{can.dy}, 2);
  Element3D plain = Box(kCube, 2, 2, 2);
  ApplyDragStep(plain, kResize, kAxisXZ, {0.5, 0, -1}, kStep);  // XZ: unhalved components
  EXPECT_EQ(double{plain.dx}, 2.5);
  EXPECT_EQ(double{plain.dz}, 1);
}

TEST(EditSteps, DragMoveAndTurn) {
  Element3D e = Box(kCube, 1, 1, 1);
  ApplyDragStep(e, kMove, kAxisXZ, {1, 9, -0.5}, kStep);
  EXPECT_EQ(double{e.x}, 1);
  EXPECT_EQ(double{e.y}, 0);
  EXPECT_EQ(double{e.z}, -0.5);
  ApplyDragStep(e, kMove, kAxisY, {0.5, -1, 0}, kStep);
  EXPECT_EQ(double{e.y}, -1);
  ApplyDragStep(e, kTurn, kAxisXZ, {0, 0, 1}, kStep);  // XZ turns the same field as Y
  EXPECT_EQ(double{e.ayz}, 5);
  ApplyDragStep(e, kTurn, kAxisX, {2, 0, 0}, kStep);
  EXPECT_EQ(double{e.axy}, 10);
}

TEST(EditSteps, ArrowsMoveResizeAndTurnByTheirTable) {
  Element3D e = Box(kCube, 2, 2, 2, 1);
  ApplyArrowStep(e, kMove, kAxisY, false, 1, 0.5);
  EXPECT_EQ(double{e.y}, 1.5);
  ApplyArrowStep(e, kMove, kAxisY, true, 1, 0.5);  // Up moves y the other way
  EXPECT_EQ(double{e.y}, 1.0);

  ApplyArrowStep(e, kResize, kAxisY, true, -1, 0.5);  // Down: dy grows by 1, y up by 0.5
  EXPECT_EQ(double{e.dy}, 3);
  EXPECT_EQ(double{e.y}, 1.5);
  ApplyArrowStep(e, kResize, kAxisX, false, -1, 1);
  EXPECT_EQ(double{e.dx}, 2);  // |2 - 2| = 0 becomes 2 s

  ApplyArrowStep(e, kTurn, kAxisY, false, 1, 0.5);
  ApplyArrowStep(e, kTurn, kAxisY, true, -1, 0.5);
  ApplyArrowStep(e, kTurn, kAxisZ, true, 1, 0.5);
  EXPECT_EQ(double{e.ayz}, 10);
  EXPECT_EQ(double{e.axz}, -5);
  EXPECT_EQ(double{e.axy}, 0);
}
