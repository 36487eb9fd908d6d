#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "GLFixture.h"
#include "gl/Camera.h"
#include "gl/VectorOps.h"

namespace {
using ViewContextTest = GLFixture;

// The longer side of the panel spans OrthoMin..OrthoMax, the other keeps the
// aspect; a minimised panel (no area) keeps the last projection.
TEST_F(ViewContextTest, OrthographicVolumeFollowsThePanelsShape) {
  view->Perspective = false;
  const struct {
    int w, h;
    double halfX, halfY;
  } cases[] = {{400, 200, 20, 10}, {100, 400, 5, 20}};
  for (const auto& c : cases) {
    SetProjection(*view, c.w, c.h);
    double m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);  // x_ndc = m0 * x + m12
    EXPECT_NEAR((-1 - m[12]) / m[0], -c.halfX, 1e-5) << c.w << "x" << c.h;
    EXPECT_NEAR((1 - m[12]) / m[0], c.halfX, 1e-5) << c.w << "x" << c.h;
    EXPECT_NEAR((-1 - m[13]) / m[5], -c.halfY, 1e-5) << c.w << "x" << c.h;
    EXPECT_NEAR((1 - m[13]) / m[5], c.halfY, 1e-5) << c.w << "x" << c.h;
  }
  double before[16], after[16];
  glGetDoublev(GL_PROJECTION_MATRIX, before);
  SetProjection(*view, 300, 0);
  glGetDoublev(GL_PROJECTION_MATRIX, after);
  EXPECT_TRUE(std::equal(before, before + 16, after)) << "a panel without area changed the projection";
}

// Texture names of a lost context must not be bound in the new one; a
// surface that failed leaves a view without a context, safely.
TEST_F(ViewContextTest, RecreatingTheContextDropsTheTextureNames) {
  view->Textures = {1, 2};
  view->HasTextures = true;
  view->EditorScale = 3;
  CreateContext(*view, surface.get(), 320, 240);
  EXPECT_FALSE(view->HasTextures);
  EXPECT_TRUE(view->Textures.empty());
  EXPECT_EQ(view->EditorScale, 1.0);

  GLView bare;
  CreateContext(bare, nullptr, 100, 100);
  EXPECT_EQ(bare.Surface, nullptr);
  DestroyContext(bare);
  Present(bare);
}

// The editor orbits about the vertical and turns about a level axis; the
// camera keeps its distance and Up turns along.
TEST(Camera, TurnsGoTheirOwnWayAndKeepTheDistance) {
  GLView orbit;
  OrbitCamera(orbit, 0, 90, 0);
  const double eye[3] = {8, 5, 0}, up[3] = {0, 1, 0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(orbit.Eye[i], eye[i], 1e-12) << i;
    EXPECT_NEAR(orbit.Up[i], up[i], 1e-12) << i;
  }
  GLView turned;
  const double axis[3] = {1, 0, 0};
  RotateCamera(turned, axis, 30);
  EXPECT_NEAR(
      std::hypot(turned.Eye[0] - turned.Center[0], turned.Eye[1] - turned.Center[1], turned.Eye[2] - turned.Center[2]),
      std::sqrt(9.0 + 64.0), 1e-6);
  EXPECT_NEAR(turned.Eye[0], 0, 1e-12);
  EXPECT_GT(std::fabs(turned.Up[2]), 0.4);  // Up turned along
  // An axis of length 0 must not spread NaN through the vector.
  double v[4] = {1.5, -2, 3, 1};
  const double none[3] = {0, 0, 0};
  RotateVector(v, none, 1.0);
  EXPECT_TRUE(v[0] == 1.5 && v[1] == -2 && v[2] == 3) << v[0] << " " << v[1] << " " << v[2];
}
}  // namespace
