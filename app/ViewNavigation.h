#pragma once

class TGLPanel;
struct GLView;

// The camera as the user moves it over the view: picking under the pointer,
// the wheel's zoom toward a point, framing a box, panning and turning. It
// owns no state but the wheel's turn below a notch; it changes the camera
// and the projection and leaves the frame to its owner (each move answers
// whether the camera changed, so the owner draws once).
// Positions are the panel's framebuffer pixels.
class ViewNavigation {
 public:
  ViewNavigation(GLView& view, TGLPanel& panel) : view_(view), panel_(panel) {}

  // The point drawn under the pixel (the far plane where nothing is), and
  // the floor's point under it.
  void PickAtPixel(int x, int y, double p[3]);
  void PickGround(int x, int y, double p[3]);
  // The point of the pointer's ray as deep in the view as the centre.
  bool PointAtCentreDepth(int x, int y, double point[3]);

  // Whole notches in the wheel's turn so far; the rest waits for the next.
  int WheelNotches(int delta);
  // One notch's or one zoom key's share of the way (negative: away).
  static double ZoomFactor(double notches);
  // `notches` of the way toward `target`.
  bool ZoomToward(const double target[3], double notches);
  // The zoom keys: toward the centre (+1) or as far away (-1).
  bool MoveAlongSight(double sign);
  // The box fills most of the view's width or height.
  bool Frame(const double min[3], const double max[3]);
  // The view follows the pointer by (dx, dy) pixels: the point under it
  // stays under it.
  bool Pan(int dx, int dy);
  // About the vertical through the point the camera looks at.
  void Orbit(double degrees);
  // The panel's projection anew (after a change of the orthographic zoom).
  void ProjectionChanged();

 private:
  // After a camera change: an orthographic view's zoom lives in its
  // projection.
  void AfterZoom();
  GLView& view_;
  TGLPanel& panel_;
  int wheelRemainder_ = 0;
};
