#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>

#include "SceneFixture.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"
#include "gl/AxisGizmo.h"
#include "gl/DocumentSave.h"
#include "gl/ElementDrawing.h"
#include "gl/Picking.h"
#include "gl/SceneFrame.h"
#include "gl/ShapeLists.h"
#include "gl/Textures.h"
#include "gl/ViewPresets.h"

namespace {
namespace fs = std::filesystem;

bool Near(const std::vector<unsigned char>& rgb, int r, int g, int b, int tolerance = 3) {
  return std::abs(rgb[0] - r) <= tolerance && std::abs(rgb[1] - g) <= tolerance && std::abs(rgb[2] - b) <= tolerance;
}

class SceneFrameTest : public SceneFixture {
 protected:
  Element3D& Add(int kind, double x, double y, double z, uint32_t color) {
    return SceneFixture::Add("", kind, x, y, z, color);
  }
  // Counts pixels of the frame near a colour.
  int CountColour(int r, int g, int b, int tolerance = 3) {
    int n = 0;
    for (int y = 0; y < surface->Height(); y += 2)
      for (int x = 0; x < surface->Width(); x += 2) n += Near(Pixel(x, y), r, g, b, tolerance);
    return n;
  }
};

TEST_F(SceneFrameTest, EditAidsDrawTheGridAndHidingThemLeavesBackgroundAndElements) {
  Redraw(scene);
  // The grid's lines (lit as lines are: colour material under two lights).
  EXPECT_TRUE(Near(Pixel(2, 2), 145, 145, 145));  // background 0.57
  const int withAids = CountColour(145, 145, 145);
  scene.showEditAids = false;
  Redraw(scene);
  const int without = CountColour(145, 145, 145);
  EXPECT_GT(without, withAids + 100);  // the grid covered part of the background
  int width = surface->Width(), height = surface->Height();
  EXPECT_EQ(without, ((width + 1) / 2) * ((height + 1) / 2));  // nothing but background
}

TEST_F(SceneFrameTest, TheFrameIsCompiledOnceAndReplayedUnderNewCameras) {
  Add(kPanel, 0, 1, 0, 0x0000FF);
  DrawScene(scene);
  const unsigned list = scene.sceneList;
  ASSERT_NE(list, 0u);
  store.As<Element3D>(0).color = 0x00FF00;  // not seen until a Redraw
  ApplyViewPreset(*view, 1);
  ApplyCamera(*view);
  DrawScene(scene);
  EXPECT_EQ(scene.sceneList, list);
  int px, py;
  ProjectPoint(*view, 0.5, 2, 0.5, px, py);  // off the vertical axis line
  const std::vector<unsigned char> replayed = Pixel(px, py);
  EXPECT_GT(replayed[0], 100);
  EXPECT_LT(replayed[1], 60);
  Redraw(scene);
  const std::vector<unsigned char> rebuilt = Pixel(px, py);
  EXPECT_LT(rebuilt[0], 60);
  EXPECT_GT(rebuilt[1], 100);
}

TEST_F(SceneFrameTest, XYAndZYPresetsGiveTheSamePicture) {
  Add(kCube, 1, 1, -2, 0x3080F0).axy = 20;
  scene.showEditAids = false;
  auto picture = [&](int preset) {
    ApplyViewPreset(*view, preset);
    ApplyCamera(*view);
    DrawScene(scene);
    std::vector<unsigned char> rgb(320 * 240 * 3);
    glReadPixels(0, 0, 320, 240, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
  };
  const auto xy = picture(2);
  EXPECT_EQ(view->Eye[1], 20 * 0.375 - 1);
  const auto zy = picture(3), xz = picture(1);
  EXPECT_EQ(xy, zy);
  EXPECT_NE(xy, xz);
  EXPECT_FALSE(ApplyViewPreset(*view, 4));
}

TEST_F(SceneFrameTest, SelectionBoxesOnlyWhileTheCursorIsChosen) {
  Add(kPanel, 0, 1, 0, 0x808080);
  scene.isSelected = [](int32_t) { return true; };
  Redraw(scene);
  const int boxed = CountColour(179, 0, 179, 40);
  EXPECT_GT(boxed, 0);
  scene.palette = 1;  // adding a cube: the template is boxed instead
  scene.templateElement = Element3D{};
  scene.templateElement.dx = scene.templateElement.dy = scene.templateElement.dz = 0.01;
  scene.templateElement.x = 100;  // far outside the view
  Redraw(scene);
  EXPECT_EQ(CountColour(179, 0, 179, 40), 0);
}

TEST_F(SceneFrameTest, GizmoArrowsFollowTheCamera) {
  Redraw(scene);
  QImage canvas(320, 240, QImage::Format_RGB888);
  canvas.fill(Qt::white);
  {
    QPainter painter(&canvas);
    DrawAxisGizmo(painter, *view, 27, 213);
  }
  // With the default camera "Y" points straight up and "X" (minus X) left.
  EXPECT_EQ(canvas.pixelColor(27, 213 - 15), QColor(0, 128, 0));
  int redLeft = 0;
  for (int x = 0; x < 27; ++x)
    for (int y = 190; y < 240; ++y) redLeft += canvas.pixelColor(x, y) == QColor(255, 0, 0);
  EXPECT_GT(redLeft, 10);
}

TEST_F(SceneFrameTest, GizmoSkipsAnAxisThatProjectsOntoTheOrigin) {
  // A camera squashing Z to nothing: the Z axis lands on the origin.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(0, 0, -10);
  glScaled(1, 1, 0);
  CaptureFrameMatrices(*view);
  QImage canvas(320, 240, QImage::Format_RGB888);
  canvas.fill(Qt::white);
  {
    QPainter painter(&canvas);
    DrawAxisGizmo(painter, *view, 27, 213);
  }
  int blue = 0, red = 0;
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) {
      const QColor c = canvas.pixelColor(x, y);
      blue += c.blue() > 200 && c.red() < 100 && c.green() < 100;
      red += c.red() > 200 && c.blue() < 100 && c.green() < 100;
    }
  EXPECT_EQ(blue, 0);
  EXPECT_GT(red, 10);
}

TEST_F(SceneFrameTest, SavingAPictureHidesTheAidsAndRestoresThem) {
  Add(kPanel, 0, 1, 0, 0x0000FF);
  const std::string folder = MakeTempFolder("picture");
  bool undoCleared = false;
  const DocumentResult r = SaveDocument(scene, folder + "/view.jpeg", "", [&] { undoCleared = true; });
  ASSERT_TRUE(r.ok()) << r.reason;
  EXPECT_TRUE(undoCleared);
  EXPECT_TRUE(scene.showEditAids);
  QImage picture(QString::fromStdString(folder + "/view.jpeg"));
  ASSERT_EQ(picture.width(), 320);
  ASSERT_EQ(picture.height(), 240);
  // Top left is background, the element's middle red; no grid anywhere near
  // the bottom corner the grid would cover.
  const QColor corner = picture.pixelColor(3, 3);
  EXPECT_NEAR(corner.red(), 145, 6);
  int px, py;
  ProjectPoint(*view, 0.5, 1, 0.5, px, py);
  EXPECT_GT(picture.pixelColor(px, py).red(), 120);
  EXPECT_LT(picture.pixelColor(px, py).green(), 60);
  // And the panel shows the aids again afterwards.
  EXPECT_NE(scene.sceneList, 0u);
}

TEST_F(SceneFrameTest, ExtensionsAreMatchedAsWritten) {
  Add(kPanel, 0, 1, 0, 0x0000FF);
  const std::string folder = MakeTempFolder("dispatch");
  ASSERT_TRUE(SaveDocument(scene, folder + "/caps.JPEG", "").ok());
  std::ifstream in(folder + "/caps.JPEG", std::ios::binary);
  std::string head(14, '\0');
  in.read(head.data(), 14);
  EXPECT_EQ(head, "ZObjeto3D 1.00");  // a document, not a picture
  EXPECT_FALSE(SaveDocument(scene, "", "").ok());
  ASSERT_TRUE(SaveDocument(scene, "", folder + "/current.zobj3d").ok());
  EXPECT_EQ(fs::file_size(folder + "/current.zobj3d"), 22u + 289u);
  EXPECT_EQ(ChangeExtension("a/b.c/name.jpg", ".jpeg"), "a/b.c/name.jpeg");
  EXPECT_EQ(ChangeExtension("a/b.c/name", ".jpeg"), "a/b.c/name.jpeg");
}
}  // namespace

namespace {
TEST_F(SceneFrameTest, EachElementShowsItsOwnTextureInTheSharedSlot) {
  CreateTextures(*view, 8);
  // Wood, wood, marble, wood: the last must not keep the marble.
  const char* textures[] = {"texture1.jpeg", "texture1.jpeg", "texture3.bmp", "texture1.jpeg"};
  for (int i = 0; i < 4; ++i) {
    Element3D& e = Add(kPanel, -6 + 4 * i, 0, 0, 0xFFFFFF);
    e.dy = 0.5;
    e.texture.assign(textures[i]);
  }
  scene.showEditAids = false;
  ApplyViewPreset(*view, 1);
  ApplyCamera(*view);
  Redraw(scene);
  auto warmth = [&](int i) {
    int px, py, sum = 0;
    for (double dx : {-0.5, 0.0, 0.5}) {
      ProjectPoint(*view, -6 + 4 * i + dx, 0.25, dx, px, py);
      const std::vector<unsigned char> rgb = Pixel(px, py);
      sum += rgb[0] - rgb[2];
    }
    return sum / 3;
  };
  EXPECT_GT(warmth(0), 30);
  EXPECT_GT(warmth(1), 30);
  EXPECT_LT(warmth(2), 20);
  EXPECT_GT(warmth(3), 30);
}
}  // namespace

TEST_F(SceneFrameTest, ShapesAreCompiledOnceAndDrawTheSameFrame) {
  Add(kCube, -4, 1, 0, 0x0000FF).chamfer = 0.2;
  Add(kCube, 4, 1, 0, 0x00FF00).chamfer = 0.2;  // the same shape elsewhere
  Add(kSphere, 0, 1, 4, 0xFF0000);
  Add(kCylinder, 0, 1, -4, 0x00FFFF);
  DrawScene(scene);
  ASSERT_NE(view->Shapes, nullptr);
  EXPECT_EQ(view->Shapes->lists.size(), 3u);
  std::vector<std::vector<unsigned char>> compiled;
  for (int x = 0; x < surface->Width(); x += 5) compiled.push_back(Pixel(x, surface->Height() / 2));

  // The same frame generated directly, without the compiled shapes.
  ClearShapeLists(*view);
  DropSceneList(scene);
  ApplyCamera(*view);
  glClearColor(0.57f, 0.57f, 0.57f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawGrid(*view);
  DrawElements(*view, store);
  size_t k = 0;
  for (int x = 0; x < surface->Width(); x += 5, ++k)
    EXPECT_EQ(Pixel(x, surface->Height() / 2), compiled[k]) << "x " << x;

  // Moving an element needs no new shape; resizing one does.
  store.As<Element3D>(0).x = -6;
  DropSceneList(scene);
  DrawScene(scene);
  EXPECT_EQ(view->Shapes->lists.size(), 3u);
  store.As<Element3D>(0).dx = 3;
  DropSceneList(scene);
  DrawScene(scene);
  EXPECT_EQ(view->Shapes->lists.size(), 4u);
}
