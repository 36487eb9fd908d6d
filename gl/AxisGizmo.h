#pragma once

class QPainter;
struct GLView;

// The small axis indicator painted over the frame at (x0, y0): one 27-pixel
// arrow per world axis (-X labelled "X", +Y "Y", +Z "Z") pointing where the
// axis projects on screen under the view's last frame. An axis that
// projects onto the origin is skipped.
void DrawAxisGizmo(QPainter& painter, const GLView& view, int x0, int y0);
// A filled triangle with its tip at (x2, y2), pointing away from (x1, y1).
void DrawArrowHead(QPainter& painter, int x1, int y1, int x2, int y2);
// Scales (x, y, z) to `length`; returns the old length (0 leaves it alone).
double ScaleVector(double& x, double& y, double& z, double length);
