#pragma once

struct GLView;

// Panel pixels (y down) to world points and back, against the matrices and
// viewport of the view's last frame. The depth read needs the view's
// context current and its last frame in the framebuffer.

// The pixel where a world point is drawn.
void ProjectPoint(const GLView& view, double x, double y, double z, int& px, int& py);
// The world point of the drawn surface under a pixel (the far plane over
// background).
void UnprojectAtPixel(const GLView& view, int px, int py, double& x, double& y, double& z);
// The first point along the pixel's ray, on the depth grid 0, 0.0001, ...,
// 1, that lies strictly within 0.1 of the ground y = 0; the point at depth 1
// when there is none.
void UnprojectToGround(const GLView& view, int px, int py, double& x, double& y, double& z);

// The pointer's ray through a pixel (doubles, y down): from the near plane
// toward the far plane. False when the matrices cannot be inverted.
bool PixelRay(const GLView& view, double px, double py, double origin[3], double direction[3]);
// Where a world point is drawn, in pixels with fractions (y down); false
// when it lies behind the viewer.
bool ProjectToPixel(const GLView& view, const double point[3], double& px, double& py);
