#include <gtest/gtest.h>

#include <array>

#include "document/EditSteps.h"
#include "document/Element3D.h"

TEST(EditSteps, DragsAndArrowKeysSnapMoveResizeAndTurn) {
  // Snapping truncates toward zero; of a drag's components the largest wins.
  EXPECT_EQ(Snap(1.26, 0.5), 1.0);
  EXPECT_EQ(Snap(-1.26, 0.5), -1.0);
  EXPECT_EQ(Snap(0.49, 0.5), 0.0);
  EXPECT_EQ(Snap(-0.49, 0.5), 0.0);
  EXPECT_EQ((DragMovement{1, -2, 2}.Dominant()), -2);  // a tie keeps the earlier
  EXPECT_EQ((DragMovement{-3, 1, 2}.Dominant()), -3);

  // From a 2 x 2 x 2 element on the floor: sizes never collapse nor turn negative, heights keep the base
  // on the floor, and Up/Down work in y against the drag, except on a sphere. Key rows: sign and step in mx, my.
  enum Input { kDrag, kAcross, kUpDown };
  struct Row {
    const char* what;
    Input input;
    int32_t kind;
    MoveMode mode;
    EditAxis axis;
    DragMovement d;
    std::array<double, 9> expected;  // dx dy dz, x y z, axy ayz axz
  };
  const Row rows[] = {
      {"size past zero", kDrag, kCube, kResize, kAxisX, {-1.5, 0, 0}, {1, 2, 2, 0, 1, 0, 0, 0, 0}},
      {"lower through zero", kDrag, kCube, kResize, kAxisY, {0, -1.5, 0}, {2, 1, 2, 0, 0.5, 0, 0, 0, 0}},
      {"taller", kDrag, kCube, kResize, kAxisY, {0, 2, 0}, {2, 6, 2, 0, 3, 0, 0, 0, 0}},
      {"sphere grows alike", kDrag, kSphere, kResize, kAxisZ, {0, 0, 0.5}, {3, 3, 3, 0, 1, 0, 0, 0, 0}},
      {"cylinder keeps round", kDrag, kCylinder, kResize, kAxisXZ, {0.5, 0, 0}, {3, 2, 3, 0, 1, 0, 0, 0, 0}},
      {"cube XZ, unhalved", kDrag, kCube, kResize, kAxisXZ, {0.5, 0, -1}, {2.5, 2, 1, 0, 1, 0, 0, 0, 0}},
      {"move XZ", kDrag, kCube, kMove, kAxisXZ, {1, 9, -0.5}, {2, 2, 2, 1, 1, -0.5, 0, 0, 0}},
      {"move Y by the dominant", kDrag, kCube, kMove, kAxisY, {0.5, -1, 0}, {2, 2, 2, 0, 0, 0, 0, 0, 0}},
      {"turn X", kDrag, kCube, kTurn, kAxisX, {2, 0, 0}, {2, 2, 2, 0, 1, 0, 10, 0, 0}},
      {"Up on Y", kUpDown, kCube, kMove, kAxisY, {1, 0.5}, {2, 2, 2, 0, 0.5, 0, 0, 0, 0}},
      {"Down sizes Y", kUpDown, kCube, kResize, kAxisY, {-1, 0.5}, {2, 3, 2, 0, 1.5, 0, 0, 0, 0}},
      {"Up sizes a sphere", kUpDown, kSphere, kResize, kAxisY, {1, 0.5}, {3, 3, 3, 0, 1, 0, 0, 0, 0}},
      {"key sizes to zero", kAcross, kCube, kResize, kAxisX, {-1, 1}, {2, 2, 2, 0, 1, 0, 0, 0, 0}},
      {"key turns X", kUpDown, kCube, kTurn, kAxisX, {-1, 0.5}, {2, 2, 2, 0, 1, 0, -5, 0, 0}},
      {"key turns Y across", kAcross, kCube, kTurn, kAxisY, {1, 0.5}, {2, 2, 2, 0, 1, 0, 0, 5, 0}},
      {"key turns Y up", kUpDown, kCube, kTurn, kAxisY, {-1, 0.5}, {2, 2, 2, 0, 1, 0, 0, 0, -5}},
      {"key turns Z across", kAcross, kCube, kTurn, kAxisZ, {1, 0.5}, {2, 2, 2, 0, 1, 0, 0, 0, 5}},
      {"key turns Z up", kUpDown, kCube, kTurn, kAxisZ, {1, 0.5}, {2, 2, 2, 0, 1, 0, 0, 5, 0}},
  };
  const double step[3] = {0.5, 0.5, 0.5};
  for (const Row& r : rows) {
    Element3D e{};
    e.kind = r.kind;
    e.dx = e.dy = e.dz = 2;
    e.y = 1;
    if (r.input == kDrag)
      ApplyDragStep(e, r.mode, r.axis, r.d, step);
    else
      ApplyArrowStep(e, r.mode, r.axis, r.input == kUpDown, r.d.mx, r.d.my);
    EXPECT_EQ((std::array<double, 9>{+e.dx, +e.dy, +e.dz, +e.x, +e.y, +e.z, +e.axy, +e.ayz, +e.axz}), r.expected)
        << r.what;
  }
}
