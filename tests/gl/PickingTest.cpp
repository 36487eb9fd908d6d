#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "GLFixture.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"
#include "gl/Picking.h"
#include "gl/SceneFrame.h"
#include "gl/ViewPresets.h"

namespace {
class PickingTest : public GLFixture {
 protected:
  // A 4 x 4 x 4 panel element centred at (0, 2, 0), drawn without aids.
  void DrawCube() {
    store.RecordSize = kElementRecordSize;
    store.SetCount(1);
    Element3D& e = store.As<Element3D>(0);
    e = Element3D{};
    e.kind = kPanel;
    e.dx = e.dy = e.dz = 4;
    e.y = 2;
    scene.view = view;
    scene.elements = &store;
    scene.showEditAids = false;
    DefaultView(*view);
    ApplyCamera(*view);
    Redraw(scene);
  }
  TIMem32 store{"pick"};
  SceneState scene;
};

// The march the editor used to run, without its clock: depth 0, 0.0001, ...
void MarchToGround(const GLView& view, int px, int py, double& x, double& y, double& z) {
  const double wy = view.FrameViewport[3] - py;
  for (int k = 0; k <= 10000; ++k) {
    gluUnProject(px, wy, k / 10000.0, view.FrameModelView, view.FrameProjection, view.FrameViewport, &x, &y, &z);
    if (-0.1 < y && y < 0.1) return;
  }
  gluUnProject(px, wy, 1.0, view.FrameModelView, view.FrameProjection, view.FrameViewport, &x, &y, &z);
}

TEST_F(PickingTest, PixelOverTheCubeUnprojectsOntoItsFace) {
  DrawCube();
  int px, py;
  ProjectPoint(*view, 0, 4, 0, px, py);  // the middle of the top face
  double x, y, z;
  UnprojectAtPixel(*view, px, py, x, y, z);
  // Depth is read at the pixel's centre and unprojected at its corner, so
  // a slanted face is met within a pixel's width.
  EXPECT_NEAR(y, 4, 0.15);
  EXPECT_NEAR(x, 0, 0.2);
  EXPECT_NEAR(z, 0, 0.2);
  ProjectPoint(*view, 0, 2, 2, px, py);  // the front face (z = 2)
  UnprojectAtPixel(*view, px, py, x, y, z);
  EXPECT_NEAR(z, 2, 0.15);
}

TEST_F(PickingTest, BackgroundUnprojectsOntoTheFarPlane) {
  DrawCube();
  double x, y, z;
  UnprojectAtPixel(*view, 2, 2, x, y, z);
  // On the far plane: 500 from the eye along the viewing direction.
  double axis[3], along = 0, length = 0;
  for (int i = 0; i < 3; ++i) {
    axis[i] = view->Center[i] - view->Eye[i];
    length += axis[i] * axis[i];
  }
  const double p[3] = {x, y, z};
  for (int i = 0; i < 3; ++i) along += (p[i] - view->Eye[i]) * axis[i] / std::sqrt(length);
  EXPECT_NEAR(along, 500, 0.5);
}

TEST_F(PickingTest, GroundPointMatchesTheDepthMarchOnManyCameras) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> angle(-180, 180), height(-30, 40), distance(5, 60);
  int compared = 0, onGround = 0;
  for (int pose = 0; pose < 40; ++pose) {
    const double a = angle(random) * M_PI / 180, r = distance(random);
    view->Eye[0] = r * std::sin(a);
    view->Eye[1] = height(random);
    view->Eye[2] = r * std::cos(a);
    view->Center[0] = angle(random) / 20;
    view->Center[1] = 0;
    view->Center[2] = angle(random) / 20;
    view->Perspective = pose % 3 != 0;
    SetProjection(*view, 320, 240);
    ApplyCamera(*view);
    for (int py = 0; py < 240; py += 47)
      for (int px = 0; px < 320; px += 53) {
        double x, y, z, mx, my, mz;
        UnprojectToGround(*view, px, py, x, y, z);
        MarchToGround(*view, px, py, mx, my, mz);
        EXPECT_EQ(x, mx) << pose << " " << px << "," << py;
        EXPECT_EQ(y, my);
        EXPECT_EQ(z, mz);
        ++compared;
        onGround += -0.1 < y && y < 0.1;
      }
  }
  EXPECT_GT(onGround, compared / 4);      // the poses do look at the ground
  EXPECT_LT(onGround, compared);          // and some rays miss it
}

TEST_F(PickingTest, RayMissingTheGroundGivesTheFarPoint) {
  view->Eye[0] = 0;
  view->Eye[1] = 5;  // above the ground looking further up
  view->Eye[2] = 10;
  view->Center[1] = 20;
  ApplyCamera(*view);
  double x, y, z, fx, fy, fz;
  UnprojectToGround(*view, 160, 20, x, y, z);
  gluUnProject(160, 240 - 20, 1.0, view->FrameModelView, view->FrameProjection, view->FrameViewport, &fx, &fy, &fz);
  EXPECT_EQ(x, fx);
  EXPECT_EQ(y, fy);
  EXPECT_EQ(z, fz);
  EXPECT_GT(y, 0.1);
}
}  // namespace
