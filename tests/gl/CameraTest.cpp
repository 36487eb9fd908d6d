#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "GLFixture.h"
#include "gl/Camera.h"
#include "gl/VectorOps.h"

namespace {
// The orthographic volume of the current projection matrix.
struct Volume {
  double left, right, bottom, top;
};

Volume CurrentOrthoVolume() {
  double m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  // x_ndc = m0 * x + m12: -1 at left, +1 at right.
  return {(-1 - m[12]) / m[0], (1 - m[12]) / m[0], (-1 - m[13]) / m[5], (1 - m[13]) / m[5]};
}

using ProjectionTest = GLFixture;

TEST_F(ProjectionTest, OrthographicWidePanelKeepsXAndShrinksY) {
  view->Perspective = false;
  SetProjection(*view, 400, 200);
  const Volume v = CurrentOrthoVolume();
  EXPECT_NEAR(v.left, -20, 1e-5);
  EXPECT_NEAR(v.right, 20, 1e-5);
  EXPECT_NEAR(v.bottom, -10, 1e-5);
  EXPECT_NEAR(v.top, 10, 1e-5);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 400);
  EXPECT_EQ(viewport[3], 200);
}

TEST_F(ProjectionTest, OrthographicTallPanelKeepsYAndShrinksX) {
  view->Perspective = false;
  SetProjection(*view, 100, 400);
  const Volume v = CurrentOrthoVolume();
  EXPECT_NEAR(v.left, -5, 1e-5);
  EXPECT_NEAR(v.right, 5, 1e-5);
  EXPECT_NEAR(v.bottom, -20, 1e-5);
  EXPECT_NEAR(v.top, 20, 1e-5);
}

TEST_F(ProjectionTest, PerspectiveUsesFortyFiveDegreesAndThePanelAspect) {
  SetProjection(*view, 300, 150);
  double m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  const double f = 1 / std::tan(45.0 * M_PI / 360);
  EXPECT_NEAR(m[5], f, 1e-5);
  EXPECT_NEAR(m[0], f / 2, 1e-5);
  // near 1, far 500
  EXPECT_NEAR(m[10], (500.0 + 1) / (1 - 500.0), 1e-5);
}

TEST_F(ProjectionTest, PanelWithoutAreaKeepsThePreviousProjection) {
  SetProjection(*view, 300, 150);
  double before[16], after[16];
  glGetDoublev(GL_PROJECTION_MATRIX, before);
  SetProjection(*view, 300, 0);
  glGetDoublev(GL_PROJECTION_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(before[i], after[i]);
}

TEST_F(ProjectionTest, LightsFollowTheLightModeUnderTheCamera) {
  ApplyCamera(*view);  // lights are placed under the camera matrix
  auto lightInEye = [](GLenum light) {
    float p[4];
    glGetLightfv(light, GL_POSITION, p);
    return std::vector<float>(p, p + 4);
  };
  double mv[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  auto toEye = [&](double x, double y, double z) {
    return std::vector<float>{static_cast<float>(mv[0] * x + mv[4] * y + mv[8] * z + mv[12]),
                              static_cast<float>(mv[1] * x + mv[5] * y + mv[9] * z + mv[13]),
                              static_cast<float>(mv[2] * x + mv[6] * y + mv[10] * z + mv[14]), 1.0f};
  };
  const std::vector<float> light0 = lightInEye(GL_LIGHT0), expected0 = toEye(120, 120, 120);
  const std::vector<float> light1 = lightInEye(GL_LIGHT1), expected1 = toEye(-120, 120, 120);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(light0[i], expected0[i], 1e-3);
    EXPECT_NEAR(light1[i], expected1[i], 1e-3);
  }
  view->LightMode = 3;
  ApplyCamera(*view);
  const std::vector<float> other = lightInEye(GL_LIGHT0), expectedOther = toEye(120, 120, -120);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(other[i], expectedOther[i], 1e-3);
}

TEST_F(ProjectionTest, RecreatingTheContextDropsTheTextureNames) {
  view->Textures = {1, 2};
  view->HasTextures = true;
  view->EditorScale = 3;
  CreateContext(*view, surface.get(), 320, 240);
  EXPECT_FALSE(view->HasTextures);
  EXPECT_TRUE(view->Textures.empty());
  EXPECT_EQ(view->EditorScale, 1.0);
  EXPECT_EQ(view->Surface, surface.get());
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST(ViewContext, ASurfaceWithoutContextLeavesTheViewWithout) {
  GLView view;
  CreateContext(view, nullptr, 100, 100);
  EXPECT_EQ(view.Surface, nullptr);
  DestroyContext(view);  // no context: nothing to do
  Present(view);
}

TEST(Camera, OrbitAQuarterTurnAboutTheVertical) {
  GLView view;
  OrbitCamera(view, 0, 90, 0);
  EXPECT_NEAR(view.Eye[0], 8, 1e-12);
  EXPECT_NEAR(view.Eye[1], 5, 1e-12);
  EXPECT_NEAR(view.Eye[2], 0, 1e-12);
  EXPECT_NEAR(view.Up[0], 0, 1e-12);
  EXPECT_NEAR(view.Up[1], 1, 1e-12);
  EXPECT_NEAR(view.Up[2], 0, 1e-12);
}

TEST(Camera, RotatePointTurnsEachPlaneInItsOwnSense) {
  double x = 1, y = 0, z = 0;
  RotatePoint(x, y, z, 0, 0, 0, 90, 0, 0);  // XY plane, clockwise seen from +Z
  EXPECT_NEAR(x, 0, 1e-12);
  EXPECT_NEAR(y, -1, 1e-12);
  x = 1, y = 0, z = 0;
  RotatePoint(x, y, z, 0, 0, 0, 0, 90, 0);  // right-handed about Y: +X goes to -Z
  EXPECT_NEAR(x, 0, 1e-12);
  EXPECT_NEAR(z, -1, 1e-12);
  x = 0, y = 1, z = 0;
  RotatePoint(x, y, z, 0, 0, 5, 0, 0, 90);  // YZ plane about a centre
  EXPECT_NEAR(y, -5, 1e-12);
  EXPECT_NEAR(z, 4, 1e-12);
}

TEST(Camera, RotateVectorWithZeroAxisLeavesTheVector) {
  double v[4] = {1.5, -2, 3, 1};
  const double axis[3] = {0, 0, 0};
  RotateVector(v, axis, 1.0);
  EXPECT_EQ(v[0], 1.5);
  EXPECT_EQ(v[1], -2);
  EXPECT_EQ(v[2], 3);
  EXPECT_EQ(v[3], 1);
}

TEST(Camera, AxisAngleRowVectorTurnIsTheInverseOfGLRotation) {
  // A row vector times the matrix turns the opposite way to glRotate's
  // column convention; the camera relies on that sense.
  const double axis[3] = {1, 2, 3};
  double v[4] = {0.3, -1, 2, 0};
  RotateVector(v, axis, 0.7);
  double n[3] = {1, 2, 3};
  Normalize(n);
  // Rodrigues with -theta.
  const double t = -0.7, p[3] = {0.3, -1, 2};
  double kxv[3];
  CrossProduct(n, p, kxv);
  const double kdv = n[0] * p[0] + n[1] * p[1] + n[2] * p[2];
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(v[i], p[i] * std::cos(t) + kxv[i] * std::sin(t) + n[i] * kdv * (1 - std::cos(t)), 1e-12);
}

TEST(Camera, RotateCameraKeepsTheDistanceToTheCentre) {
  GLView view;
  const double axis[3] = {1, 0, 0};
  RotateCamera(view, axis, 30);
  const double d[3] = {view.Eye[0] - view.Center[0], view.Eye[1] - view.Center[1], view.Eye[2] - view.Center[2]};
  EXPECT_NEAR(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), std::sqrt(9.0 + 64.0), 1e-6);
  EXPECT_NEAR(view.Eye[0], 0, 1e-12);
  EXPECT_GT(std::fabs(view.Up[2]), 0.4);  // Up turned along
}
}  // namespace
