#pragma once

// Which way along a world axis an arrow key moves the selection, so that
// its picture goes the arrow's way on the screen.

// How the world axes look on the screen at the selection: the pixel
// movement (x right, y down) of one unit along X, Y and Z, and the line of
// sight (for an axis that points straight into the screen).
struct AxesOnScreen {
  double pixels[3][2] = {{1, 0}, {0, -1}, {0, 0}};
  double sight[3] = {0, 0, -1};
};

enum class Arrow { Left, Right, Up, Down };

// +1 or -1: the direction along `axis` (0 x, 1 y, 2 z) whose picture goes
// the arrow's way. An axis that runs across the arrow answers as the arrow
// turned a quarter (Right as Up, Left as Down); one that points into the
// screen goes away from the viewer on Up and Right.
double ArrowSign(const AxesOnScreen& axes, int axis, Arrow arrow);

// The floor axes (0 x, 2 z) that run across (h) and up and down (v) the
// screen, each with the sign that moves the picture right (h) and up (v).
struct FloorAxes {
  int h = 0, v = 2;
  double signH = 1, signV = 1;
};
FloorAxes FloorAxesOnScreen(const AxesOnScreen& axes);
