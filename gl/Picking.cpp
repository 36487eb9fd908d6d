#include "Picking.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "GLView.h"
#include "PixelRound.h"
#include "ViewContext.h"

namespace {
constexpr int kDepthSteps = 10000;  // the grid 0, 0.0001, ..., 1
constexpr double kBand = 0.1;

bool InBand(double y) { return -kBand < y && y < kBand; }
}  // namespace

void ProjectPoint(const GLView& view, double x, double y, double z, int& px, int& py) {
  const FrameMatrices f = FrameOf(view);
  double wx = -1, wy = -1, wz = -1;
  if (gluProject(x, y, z, f.modelView, f.projection, f.viewport, &wx, &wy, &wz) != GL_TRUE) wx = wy = -1;
  px = RoundToPixel(wx);
  py = f.viewport[3] - RoundToPixel(wy);
}

void UnprojectAtPixel(const GLView& view, int px, int py, double& x, double& y, double& z) {
  const FrameMatrices f = FrameOf(view);
  const float wy = static_cast<float>(f.viewport[3] - py);
  float depth = 1.0f;
  while (glGetError() != GL_NO_ERROR) {
  }
  glReadPixels(px, static_cast<int>(std::nearbyint(wy)), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  if (glGetError() != GL_NO_ERROR ||
      gluUnProject(px, wy, depth, f.modelView, f.projection, f.viewport, &x, &y, &z) != GL_TRUE)
    x = y = z = 0;
}

void UnprojectToGround(const GLView& view, int px, int py, double& x, double& y, double& z) {
  const FrameMatrices f = FrameOf(view);
  const double wy = f.viewport[3] - py;
  double p[3];
  auto at = [&](int k) {
    if (gluUnProject(px, wy, k / static_cast<double>(kDepthSteps), f.modelView, f.projection, f.viewport, &p[0], &p[1],
                     &p[2]) != GL_TRUE)
      p[0] = p[1] = p[2] = NAN;
    return p[1];
  };
  auto answer = [&](int k) {
    at(k);
    if (std::isnan(p[1])) p[0] = p[1] = p[2] = 0;
    x = p[0];
    y = p[1];
    z = p[2];
  };
  // Along the ray y is monotonic in window depth, so the depths whose
  // point lies in the band form one run; find its first grid step.
  const double first = at(0);
  if (std::isnan(first)) return answer(kDepthSteps);
  if (InBand(first)) return answer(0);
  const double last = at(kDepthSteps);
  const bool above = first >= kBand;
  auto crossed = [&](double v) { return above ? v < kBand : v > -kBand; };
  if (std::isnan(last) || !crossed(last)) return answer(kDepthSteps);
  int lo = 0, hi = kDepthSteps;  // crossed(lo) false, crossed(hi) true
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    if (crossed(at(mid)))
      hi = mid;
    else
      lo = mid;
  }
  // Rounding may bend monotonicity by an ulp: settle on the first step that
  // is really inside.
  while (hi > 0 && InBand(at(hi - 1))) --hi;
  if (InBand(at(hi))) return answer(hi);
  for (int k = hi + 1; k <= kDepthSteps && k <= hi + 2; ++k)
    if (InBand(at(k))) return answer(k);
  answer(kDepthSteps);
}

bool PixelRay(const GLView& view, double px, double py, double origin[3], double direction[3]) {
  const FrameMatrices f = FrameOf(view);
  const double wy = f.viewport[3] - py;
  double far[3];
  if (gluUnProject(px, wy, 0.0, f.modelView, f.projection, f.viewport, &origin[0], &origin[1], &origin[2]) != GL_TRUE ||
      gluUnProject(px, wy, 1.0, f.modelView, f.projection, f.viewport, &far[0], &far[1], &far[2]) != GL_TRUE)
    return false;
  for (int i = 0; i < 3; ++i) direction[i] = far[i] - origin[i];
  return std::isfinite(direction[0] + direction[1] + direction[2]);
}

bool ProjectToPixel(const GLView& view, const double point[3], double& px, double& py) {
  const FrameMatrices f = FrameOf(view);
  double wx = 0, wy = 0, wz = 0;
  if (gluProject(point[0], point[1], point[2], f.modelView, f.projection, f.viewport, &wx, &wy, &wz) != GL_TRUE)
    return false;
  px = wx;
  py = f.viewport[3] - wy;
  // Behind the eye the perspective divide flips the point through the centre.
  const double* m = f.modelView;
  const double eyeZ = m[2] * point[0] + m[6] * point[1] + m[10] * point[2] + m[14];
  return eyeZ < 0;
}
