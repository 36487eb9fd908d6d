#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "SceneFixture.h"
#include "gl/Picking.h"

namespace {
using PickingTest = SceneFixture;

TEST_F(PickingTest, PixelsUnprojectOntoTheFaceUnderThemOrTheFarPlane) {
  Element3D& e = Add("", kPanel, 0, 2, 0);  // 4 x 4 x 4 about (0, 2, 0)
  e.dx = e.dy = e.dz = 4;
  scene.showEditAids = false;
  Redraw(scene);
  // Depth is read at the pixel's centre and unprojected at its corner, so a
  // slanted face is met within a pixel's width.
  int px, py;
  double x, y, z;
  ProjectPoint(*view, 0, 4, 0, px, py);  // the middle of the top face
  UnprojectAtPixel(*view, px, py, x, y, z);
  EXPECT_NEAR(y, 4, 0.15);
  EXPECT_NEAR(x, 0, 0.2);
  EXPECT_NEAR(z, 0, 0.2);
  ProjectPoint(*view, 0, 2, 2, px, py);  // the front face
  UnprojectAtPixel(*view, px, py, x, y, z);
  EXPECT_NEAR(z, 2, 0.15);

  UnprojectAtPixel(*view, 2, 2, x, y, z);  // background: 500 from the eye along the view
  const double p[3] = {x, y, z};
  double along = 0, length = 0;
  for (int i = 0; i < 3; ++i) length += std::pow(view->Center[i] - view->Eye[i], 2);
  for (int i = 0; i < 3; ++i) along += (p[i] - view->Eye[i]) * (view->Center[i] - view->Eye[i]) / std::sqrt(length);
  EXPECT_NEAR(along, 500, 0.5);
}

// The ground point is where the editor's old depth march (0, 0.0001, ...,
// then the far plane) ended, to the last bit, rays that miss included.
TEST_F(PickingTest, GroundPointMatchesTheDepthMarchOnManyCameras) {
  auto march = [&](int px, int py, double& x, double& y, double& z) {
    const double wy = view->FrameViewport[3] - py;
    for (int k = 0; k <= 10000; ++k) {
      gluUnProject(px, wy, k / 10000.0, view->FrameModelView, view->FrameProjection, view->FrameViewport, &x, &y, &z);
      if (-0.1 < y && y < 0.1) return;
    }
    gluUnProject(px, wy, 1.0, view->FrameModelView, view->FrameProjection, view->FrameViewport, &x, &y, &z);
  };
  std::mt19937 random(7);
  std::uniform_real_distribution<double> angle(-180, 180), height(-30, 40), distance(5, 60);
  int compared = 0, onGround = 0;
  for (int pose = 0; pose < 40; ++pose) {
    const double a = angle(random) * M_PI / 180, r = distance(random);
    view->Eye[0] = r * std::sin(a), view->Eye[1] = height(random), view->Eye[2] = r * std::cos(a);
    view->Center[0] = angle(random) / 20, view->Center[1] = 0, view->Center[2] = angle(random) / 20;
    view->Perspective = pose % 3 != 0;
    SetProjection(*view, 320, 240);
    ApplyCamera(*view);
    for (int py = 0; py < 240; py += 47)
      for (int px = 0; px < 320; px += 53) {
        double x, y, z, mx, my, mz;
        UnprojectToGround(*view, px, py, x, y, z);
        march(px, py, mx, my, mz);
        EXPECT_TRUE(x == mx && y == my && z == mz) << "pose " << pose << " at " << px << "," << py;
        ++compared;
        onGround += -0.1 < y && y < 0.1;
      }
  }
  EXPECT_GT(onGround, compared / 4);  // the poses do look at the ground
  EXPECT_LT(onGround, compared);      // and some rays miss it
}
}  // namespace
