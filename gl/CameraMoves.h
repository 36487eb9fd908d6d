#pragma once

struct GLView;

// Zooming and framing, on the camera alone (no GL calls): callers apply the
// camera and, when OrthoZoom changed, the projection.

// The nearest and farthest the eye comes to what it zooms toward: inside
// the near plane (1) things would be cut, past the far plane (500) lost.
constexpr double kNearestZoom = 1.5;
constexpr double kFarthestZoom = 450;

// Scales the view about `target` by `factor` (below 1 comes closer): in
// perspective the eye and the centre both go toward the target, so the
// target keeps its place on the screen and the eye keeps its direction; in
// orthographic projection the shown volume shrinks about the target
// instead. The eye never reaches the target: the distance stays within
// kNearestZoom and kFarthestZoom (an orthographic zoom within its own
// bounds). Returns whether anything changed.
bool ZoomAbout(GLView& view, const double target[3], double factor);

// Puts the box min..max in the middle of the view, keeping the direction of
// view, so that it fills `share` of the panel's width or height, whichever
// it reaches first (width, height: the panel's pixels). Perspective moves
// the eye; orthographic projection sets OrthoZoom.
void FrameBox(GLView& view, const double min[3], const double max[3], double width, double height, double share);
