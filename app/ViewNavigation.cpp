#include "ViewNavigation.h"

#include <algorithm>
#include <cmath>

#include "TGLPanel.h"
#include "gl/Camera.h"
#include "gl/CameraMoves.h"
#include "gl/GLView.h"
#include "gl/Picking.h"
#include "gl/VectorOps.h"
#include "gl/ViewContext.h"

namespace {
constexpr int kWheelNotch = 120;       // eighths of a degree in one notch
constexpr double kZoomShare = 0.12;    // of the distance, for one wheel notch or zoom key
constexpr double kFramedShare = 0.85;  // of the panel's width or height the framed things fill
constexpr double kHalfFieldOfView = 22.5 * 3.14159265358979323846 / 180;  // the projection's 45 degrees

double Length(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }
}  // namespace

void ViewNavigation::PickAtPixel(int x, int y, double p[3]) {
  p[0] = p[1] = p[2] = 0;
  panel_.WithContext([&] { UnprojectAtPixel(view_, x, y, p[0], p[1], p[2]); });
}

void ViewNavigation::PickGround(int x, int y, double p[3]) {
  p[0] = p[1] = p[2] = 0;
  panel_.WithContext([&] { UnprojectToGround(view_, x, y, p[0], p[1], p[2]); });
}

bool ViewNavigation::PointAtCentreDepth(int x, int y, double point[3]) {
  double origin[3], direction[3];
  bool ray = false;
  panel_.WithContext([&] { ray = PixelRay(view_, x, y, origin, direction); });
  if (!ray) return false;
  double forward[3], toCentre[3];
  for (int i = 0; i < 3; ++i) {
    forward[i] = view_.Center[i] - view_.Eye[i];
    toCentre[i] = view_.Center[i] - origin[i];
  }
  const double along = direction[0] * forward[0] + direction[1] * forward[1] + direction[2] * forward[2];
  if (!(std::fabs(along) > 0)) return false;
  const double s = (toCentre[0] * forward[0] + toCentre[1] * forward[1] + toCentre[2] * forward[2]) / along;
  if (!(s > 0)) return false;
  for (int i = 0; i < 3; ++i) point[i] = origin[i] + s * direction[i];
  return true;
}

int ViewNavigation::WheelNotches(int delta) {
  wheelRemainder_ += delta;
  const int notches = wheelRemainder_ / kWheelNotch;
  wheelRemainder_ -= notches * kWheelNotch;
  return notches;
}

double ViewNavigation::ZoomFactor(double notches) { return std::pow(1 - kZoomShare, notches); }

void ViewNavigation::AfterZoom() {
  if (!view_.Perspective) ProjectionChanged();
}

bool ViewNavigation::ZoomToward(const double target[3], double notches) {
  if (!ZoomAbout(view_, target, ZoomFactor(notches))) return false;
  AfterZoom();
  return true;
}

bool ViewNavigation::MoveAlongSight(double sign) {
  // + comes a wheel notch's share of the way to the centre; - backs away as
  // far, so the two undo each other.
  return ZoomToward(view_.Center, -sign);
}

bool ViewNavigation::Frame(const double min[3], const double max[3]) {
  FrameBox(view_, min, max, panel_.Width(), panel_.Height(), kFramedShare);
  AfterZoom();
  return true;
}

bool ViewNavigation::Pan(int dx, int dy) {
  if (dx == 0 && dy == 0) return false;
  double forward[3] = {view_.Center[0] - view_.Eye[0], view_.Center[1] - view_.Eye[1], view_.Center[2] - view_.Eye[2]};
  const double distance = Length(forward);
  if (!(distance > 0)) return false;
  double right[3], up[3];
  CrossProduct(forward, view_.Up, right);
  CrossProduct(right, forward, up);
  const double rl = Length(right), ul = Length(up);
  if (!(rl > 0) || !(ul > 0)) return false;
  // What one pixel spans at the distance of the centre, so the point under
  // the pointer stays under it.
  const double h = std::max(1, panel_.Height()), w = std::max(1, panel_.Width());
  // Orthographic: the volume's full extent spans the panel's narrower side.
  const double perPixel = view_.Perspective ? 2 * distance * std::tan(kHalfFieldOfView) / h
                          : h >= w          ? view_.OrthoZoom * (view_.OrthoMax[1] - view_.OrthoMin[1]) / h
                                            : view_.OrthoZoom * (view_.OrthoMax[0] - view_.OrthoMin[0]) / w;
  for (int a = 0; a < 3; ++a) {
    const double move = (-dx * right[a] / rl + dy * up[a] / ul) * perPixel;
    view_.Eye[a] += move;
    view_.Center[a] += move;
  }
  return true;
}

void ViewNavigation::Orbit(double degrees) { OrbitCamera(view_, 0, degrees, 0); }

void ViewNavigation::ProjectionChanged() {
  if (!view_.Surface) return;
  panel_.WithContext([&] { SetProjection(view_, panel_.Width(), panel_.Height()); });
}
