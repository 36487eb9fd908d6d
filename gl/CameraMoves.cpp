#include "CameraMoves.h"

#include <algorithm>
#include <cmath>

#include "GLView.h"
#include "VectorOps.h"

namespace {
constexpr double kHalfFieldOfView = 22.5 * M_PI / 180;  // the projection's 45 degrees, vertically
constexpr double kNearPlane = 1.0;
constexpr double kLeastOrthoZoom = 0.02, kMostOrthoZoom = 20;

double Distance(const double a[3], const double b[3]) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

// The camera's own axes: forward (toward the centre), right and up.
bool CameraAxes(const GLView& v, double forward[3], double right[3], double up[3]) {
  for (int i = 0; i < 3; ++i) forward[i] = v.Center[i] - v.Eye[i];
  if (!(Normalize(forward) > 0)) return false;
  CrossProduct(forward, v.Up, right);
  if (!(Normalize(right) > 1e-12)) return false;
  CrossProduct(right, forward, up);
  return true;
}
}  // namespace

bool ZoomAbout(GLView& view, const double target[3], double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return false;
  if (!view.Perspective) {
    double forward[3], right[3], up[3];
    if (!CameraAxes(view, forward, right, up)) return false;
    const double k = std::clamp(view.OrthoZoom * factor, kLeastOrthoZoom, kMostOrthoZoom) / view.OrthoZoom;
    if (k == 1) return false;
    // Sideways only: the target keeps its place on the screen, and the eye
    // its distance, so nothing in front comes to be cut by the near plane.
    double offset[3];
    for (int i = 0; i < 3; ++i) offset[i] = target[i] - view.Center[i];
    const double along = offset[0] * forward[0] + offset[1] * forward[1] + offset[2] * forward[2];
    for (int i = 0; i < 3; ++i) {
      const double move = (1 - k) * (offset[i] - along * forward[i]);
      view.Eye[i] += move;
      view.Center[i] += move;
    }
    view.OrthoZoom *= k;
    return true;
  }
  const double distance = Distance(view.Eye, target);
  if (!(distance > 0)) return false;
  const double wanted =
      std::clamp(distance * factor, std::min(distance, kNearestZoom), std::max(distance, kFarthestZoom));
  const double k = wanted / distance;
  if (k == 1) return false;
  for (int i = 0; i < 3; ++i) {
    view.Eye[i] = target[i] + k * (view.Eye[i] - target[i]);
    view.Center[i] = target[i] + k * (view.Center[i] - target[i]);
  }
  return true;
}

namespace {
// How the box looks with the eye `distance` before `look` (the point at the
// middle of the view): the larger of its shares of the panel's width and
// height, and the middle of its picture (-1..1 across, -1..1 up). The share
// is infinite while a corner is not ahead of the near plane.
struct Picture {
  double share = INFINITY;
  double middle[2] = {0, 0};
};
Picture PerspectivePicture(const double corners[8][3], const double look[3], const double forward[3],
                           const double right[3], const double up[3], double distance, double aspect) {
  const double t = std::tan(kHalfFieldOfView);
  Picture p;
  double lo[2] = {INFINITY, INFINITY}, hi[2] = {-INFINITY, -INFINITY};
  for (int c = 0; c < 8; ++c) {
    double v[3];
    for (int i = 0; i < 3; ++i) v[i] = corners[c][i] - (look[i] - distance * forward[i]);
    const double depth = v[0] * forward[0] + v[1] * forward[1] + v[2] * forward[2];
    if (depth < kNearPlane) return p;
    const double x = (v[0] * right[0] + v[1] * right[1] + v[2] * right[2]) / (depth * t * aspect);
    const double y = (v[0] * up[0] + v[1] * up[1] + v[2] * up[2]) / (depth * t);
    lo[0] = std::min(lo[0], x), hi[0] = std::max(hi[0], x);
    lo[1] = std::min(lo[1], y), hi[1] = std::max(hi[1], y);
  }
  p.share = std::max(hi[0] - lo[0], hi[1] - lo[1]) / 2;
  p.middle[0] = (lo[0] + hi[0]) / 2;
  p.middle[1] = (lo[1] + hi[1]) / 2;
  return p;
}
}  // namespace

void FrameBox(GLView& view, const double min[3], const double max[3], double width, double height, double share) {
  double forward[3], right[3], up[3];
  if (!CameraAxes(view, forward, right, up)) {
    // No direction of view to keep: look from the front and above.
    const double eye[3] = {0, 0.5, 1};
    for (int i = 0; i < 3; ++i) view.Eye[i] = view.Center[i] + eye[i];
    view.Up[0] = 0, view.Up[1] = 1, view.Up[2] = 0;
    if (!CameraAxes(view, forward, right, up)) return;
  }
  width = std::max(width, 1.0), height = std::max(height, 1.0);
  double centre[3], corners[8][3];
  for (int i = 0; i < 3; ++i) centre[i] = (min[i] + max[i]) / 2;
  for (int c = 0; c < 8; ++c)
    for (int i = 0; i < 3; ++i) corners[c][i] = (c >> i) & 1 ? max[i] : min[i];
  const double radius = std::max(Distance(min, max) / 2, 0.05);

  double distance, look[3] = {centre[0], centre[1], centre[2]};
  if (view.Perspective) {
    // The share falls as the eye backs away: halve the interval to it. The
    // near side of a box looms larger, so its picture is not centred on its
    // centre: look a little aside and measure again, a few times.
    const double aspect = width / height, t = std::tan(kHalfFieldOfView);
    distance = kFarthestZoom;
    for (int round = 0; round < 4; ++round) {
      double lo = kNearPlane, hi = kFarthestZoom;
      for (int k = 0; k < 60; ++k) {
        const double mid = (lo + hi) / 2;
        (PerspectivePicture(corners, look, forward, right, up, mid, aspect).share > share ? lo : hi) = mid;
      }
      distance = hi;
      const Picture p = PerspectivePicture(corners, look, forward, right, up, distance, aspect);
      if (!std::isfinite(p.share)) break;
      for (int i = 0; i < 3; ++i) look[i] += distance * t * (p.middle[0] * aspect * right[i] + p.middle[1] * up[i]);
    }
  } else {
    // The volume's shown width and height at zoom 1, as the projection rule
    // gives them for this panel's shape.
    const double shownW = (view.OrthoMax[0] - view.OrthoMin[0]) * (height >= width ? width / height : 1);
    const double shownH = (view.OrthoMax[1] - view.OrthoMin[1]) * (height < width ? height / width : 1);
    double lo[2] = {INFINITY, INFINITY}, hi[2] = {-INFINITY, -INFINITY};
    for (int c = 0; c < 8; ++c) {
      const double x = corners[c][0] * right[0] + corners[c][1] * right[1] + corners[c][2] * right[2];
      const double y = corners[c][0] * up[0] + corners[c][1] * up[1] + corners[c][2] * up[2];
      lo[0] = std::min(lo[0], x), hi[0] = std::max(hi[0], x);
      lo[1] = std::min(lo[1], y), hi[1] = std::max(hi[1], y);
    }
    if (shownW > 0 && shownH > 0)
      view.OrthoZoom = std::clamp(std::max((hi[0] - lo[0]) / shownW, (hi[1] - lo[1]) / shownH) / share, kLeastOrthoZoom,
                                  kMostOrthoZoom);
    // Far enough that the whole box lies past the near plane.
    distance =
        std::clamp(std::max(Distance(view.Eye, view.Center), radius + 2 * kNearPlane), kNearestZoom, kFarthestZoom);
  }
  for (int i = 0; i < 3; ++i) {
    view.Center[i] = look[i];
    view.Eye[i] = look[i] - forward[i] * distance;
  }
}
