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

TEST_F(ProjectionTest, PanelWithoutAreaKeepsThePreviousProjection) {
  SetProjection(*view, 300, 150);
  double before[16], after[16];
  glGetDoublev(GL_PROJECTION_MATRIX, before);
  SetProjection(*view, 300, 0);
  glGetDoublev(GL_PROJECTION_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(before[i], after[i]);
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

namespace {
TEST(HeadlessSurface, ResizingGivesBuffersOfTheNewSize) {
  HeadlessSurface surface(64, 32);
  ASSERT_TRUE(surface.IsValid()) << surface.Error();
  ASSERT_TRUE(surface.Resize(50, 70));
  EXPECT_EQ(surface.Width(), 50);
  EXPECT_EQ(surface.Height(), 70);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char rgba[4] = {0, 0, 0, 0};
  glReadPixels(49, 69, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  EXPECT_EQ(rgba[0], 255);
  EXPECT_EQ(rgba[1], 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
}  // namespace
