#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <fstream>

#include "SceneFixture.h"
#include "export/ObjExport.h"
#include "gl/AxisGizmo.h"
#include "gl/DrawWrappers.h"
#include "gl/ElementDrawing.h"
#include "gl/Picking.h"
#include "gl/ShapeLists.h"
#include "gl/Textures.h"
#include "output/DocumentSave.h"
#include "tests/export/MixedDocument.h"

namespace {
std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class SceneFrameTest : public SceneFixture {
 protected:
  // Pixels of the frame near a colour, every second one each way.
  int CountColour(int r, int g, int b, int tolerance = 3) {
    int n = 0;
    for (int y = 0; y < surface->Height(); y += 2)
      for (int x = 0; x < surface->Width(); x += 2) {
        const std::vector<unsigned char> p = Pixel(x, y);
        n += std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
      }
    return n;
  }
  bool Reddish(double x, double y, double z) {
    int px, py;
    ProjectPoint(*view, x, y, z, px, py);
    const std::vector<unsigned char> rgb = Pixel(px, py);
    return rgb[0] > 100 && rgb[1] < 60;
  }
};

// The aids are the grid and the boxes around the elements under the cursor
// (not while a kind is being added); without them only the background shows.
TEST_F(SceneFrameTest, EditAidsDrawTheGridAndBoxesAndHidingThemLeavesTheBackground) {
  Redraw(scene);
  const int withAids = CountColour(145, 145, 145);  // background 0.57
  Add("", kPanel, 0, 1, 0, 0x808080);
  scene.isSelected = [](int32_t) { return true; };
  Redraw(scene);
  EXPECT_GT(CountColour(179, 0, 179, 40), 0) << "no selection box";
  scene.palette = 1;
  scene.templateElement = Element3D{};
  scene.templateElement.dx = scene.templateElement.dy = scene.templateElement.dz = 0.01;
  scene.templateElement.x = 100;  // its own box far outside the view
  Redraw(scene);
  EXPECT_EQ(CountColour(179, 0, 179, 40), 0) << "a box while a kind is being added";

  store.SetCount(0);
  scene.showEditAids = false;
  Redraw(scene);
  const int without = CountColour(145, 145, 145);
  EXPECT_GT(without, withAids + 100) << "no grid over the background";
  EXPECT_EQ(without, ((surface->Width() + 1) / 2) * ((surface->Height() + 1) / 2)) << "more than background";
}

// Every frame shows the document as it is, camera moves included; an edit
// marks the scene until the next frame. The XY and ZY presets give the same
// picture.
TEST_F(SceneFrameTest, EveryFrameShowsTheDocumentUnderItsCamera) {
  Add("", kPanel, 0, 1, 0, 0x0000FF);
  Add("", kCube, 1, 1, -2, 0x3080F0).axy = 20;
  DrawScene(scene);
  EXPECT_FALSE(scene.edited);
  EXPECT_TRUE(Reddish(0.5, 2, 0.5));  // off the vertical axis line
  store.As<Element3D>(0).color = 0x00FF00;
  auto picture = [&](int preset) {
    ApplyViewPreset(*view, preset);
    ApplyCamera(*view);
    DrawScene(scene);
    return Frame();
  };
  picture(1);
  EXPECT_FALSE(Reddish(0.5, 2, 0.5)) << "a camera frame showed the document as it was";
  DropSceneList(scene);
  EXPECT_TRUE(scene.edited);
  const auto xy = picture(2);
  EXPECT_TRUE(xy == picture(3));
  EXPECT_TRUE(xy != picture(1));
}

// With the default camera "Y" points straight up and "X" (minus X) left; an
// axis that projects onto the origin (Z squashed to nothing) is left out.
TEST_F(SceneFrameTest, GizmoArrowsFollowTheCamera) {
  auto gizmo = [&](int& red, int& blue) {
    QImage canvas(320, 240, QImage::Format_RGB888);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    DrawAxisGizmo(painter, *view, 27, 213);
    painter.end();
    red = blue = 0;
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 320; ++x) {
        const QColor c = canvas.pixelColor(x, y);
        red += c == QColor(255, 0, 0) && x < 27;
        blue += c.blue() > 200 && c.red() < 100 && c.green() < 100;
      }
    return canvas.pixelColor(27, 213 - 15);
  };
  int red, blue;
  Redraw(scene);
  EXPECT_EQ(gizmo(red, blue), QColor(0, 128, 0));
  EXPECT_GT(red, 10);
  EXPECT_GT(blue, 0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(0, 0, -10);
  glScaled(1, 1, 0);
  CaptureFrameMatrices(*view);
  gizmo(red, blue);
  EXPECT_EQ(blue, 0);
  EXPECT_GT(red, 10);
}

TEST_F(SceneFrameTest, SavingDispatchesOnTheExtensionAsWritten) {
  Add("", kPanel, 0, 4, 0, 0x0000FF);  // above the middle of the view
  const std::string folder = MakeTempFolder("save");
  const Outcome r = SaveDocument(scene, folder + "/view.jpeg", "");
  ASSERT_TRUE(r.ok()) << r.reason;
  EXPECT_FALSE(scene.edited) << "the panel's frame was not drawn again";
  // The picture the right way up, without the grid: background at the top
  // left and where the element would be upside down, red where it is.
  QImage picture(QString::fromStdString(folder + "/view.jpeg"));
  ASSERT_EQ(picture.size(), QSize(320, 240));
  EXPECT_NEAR(picture.pixelColor(3, 3).red(), 145, 6);
  int px, py;
  ProjectPoint(*view, 0.5, 4, 0.5, px, py);
  EXPECT_GT(picture.pixelColor(px, py).red(), 120);
  EXPECT_LT(picture.pixelColor(px, py).green(), 60);
  EXPECT_NEAR(picture.pixelColor(px, 239 - py).red(), 145, 6) << "upside down";

  ASSERT_TRUE(SaveDocument(scene, folder + "/caps.JPEG", "").ok());
  EXPECT_EQ(FileText(folder + "/caps.JPEG").substr(0, 14), "ZObjeto3D 1.00") << "not a document";
  EXPECT_FALSE(SaveDocument(scene, "", "").ok());
  ASSERT_TRUE(SaveDocument(scene, "", folder + "/current.zobj3d").ok());
  EXPECT_EQ(FileText(folder + "/current.zobj3d").size(), 22u + 289u) << "not one element's document";
}

// Wood, wood, marble, wood: the last must not keep the marble.
TEST_F(SceneFrameTest, EachElementShowsItsOwnTextureInTheSharedSlot) {
  CreateTextures(*view, 8);
  const char* textures[] = {"texture1.jpeg", "texture1.jpeg", "texture3.bmp", "texture1.jpeg"};
  for (int i = 0; i < 4; ++i) {
    Element3D& e = Add("", kPanel, -6 + 4 * i, 0, 0, 0xFFFFFF);
    e.dy = 0.5;
    e.texture.assign(textures[i]);
  }
  scene.showEditAids = false;
  ApplyViewPreset(*view, 1);
  ApplyCamera(*view);
  Redraw(scene);
  for (int i = 0; i < 4; ++i) {
    int px, py, warmth = 0;
    for (double d : {-0.5, 0.0, 0.5}) {
      ProjectPoint(*view, -6 + 4 * i + d, 0.25, d, px, py);
      const std::vector<unsigned char> rgb = Pixel(px, py);
      warmth += rgb[0] - rgb[2];
    }
    EXPECT_TRUE(i == 2 ? warmth / 3 < 20 : warmth / 3 > 30) << "element " << i << " warmth " << warmth / 3;
  }
}

// Solids of one shape share one compiled list and draw the same frame.
TEST_F(SceneFrameTest, ShapesAreCompiledOnceAndDrawTheSameFrame) {
  Add("", kCube, -4, 1, 0, 0x0000FF).chamfer = 0.2;
  Add("", kCube, 4, 1, 0, 0x00FF00).chamfer = 0.2;
  Add("", kSphere, 0, 1, 4, 0xFF0000);
  Add("", kCylinder, 0, 1, -4, 0x00FFFF);
  DrawScene(scene);
  ASSERT_NE(view->Shapes, nullptr);
  EXPECT_EQ(view->Shapes->lists.size(), 3u);
  auto row = [&] {
    std::vector<std::vector<unsigned char>> pixels;
    for (int x = 0; x < surface->Width(); x += 5) pixels.push_back(Pixel(x, surface->Height() / 2));
    return pixels;
  };
  const auto compiled = row();

  ClearShapeLists(*view);  // the same frame generated directly
  DropSceneList(scene);
  ApplyCamera(*view);
  glClearColor(0.57f, 0.57f, 0.57f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawGrid(*view);
  DrawElements(*view, store);
  EXPECT_EQ(row(), compiled);

  store.As<Element3D>(0).x = -6;
  Redraw(scene);
  EXPECT_EQ(view->Shapes->lists.size(), 3u) << "moving an element needs no new shape";
  store.As<Element3D>(0).dx = 3;
  Redraw(scene);
  EXPECT_EQ(view->Shapes->lists.size(), 4u) << "resizing one does";
}

// The OBJ export records the frame without drawing it: the files are those
// the drawn frame records (a kind being added: its template element last),
// and OpenGL and the shown frame are left as they were.
TEST_F(SceneFrameTest, ExportRecordsTheDrawnFrameAndLeavesOpenGLAlone) {
  const std::string folder = MakeTempFolder("recording");
  CreateTextures(*view, 8);
  FillMixedDocument(store, 300);
  scene.palette = 2;
  Element3D& added = scene.templateElement;
  added.kind = kSphere, added.dx = added.dy = added.dz = 3;
  added.texture.assign("texture1.jpeg"), added.name.assign("new");
  ObjExport drawn(folder + "/drawn.obj");
  ASSERT_TRUE(drawn.Ready().ok());
  drawn.BeginExport();
  DropSceneList(scene);
  DrawScene(scene, &drawn.DrawingCanvas());
  const Outcome outcome = drawn.FinishExport();
  ASSERT_TRUE(outcome.ok()) << outcome.reason;
  ASSERT_FALSE(scene.edited);

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, 0);
  while (glGetError() != GL_NO_ERROR) continue;
  ASSERT_TRUE(SaveDocument(scene, folder + "/recorded.obj", "").ok());
  ASSERT_TRUE(SaveDocument(scene, folder + "/recorded.glb", "").ok());
  auto body = [&](const char* name) {  // without the first line, which names the MTL file
    const std::string text = FileText(folder + "/" + name);
    return text.substr(std::min(text.size(), text.find('\n') + 1));
  };
  EXPECT_TRUE(body("recorded.obj") == body("drawn.obj"));
  EXPECT_TRUE(FileText(folder + "/recorded.mtl") == FileText(folder + "/drawn.mtl"));
  EXPECT_NE(body("recorded.obj").find("o new\n"), std::string::npos);

  GLfloat color[4], matrix[16];
  glGetFloatv(GL_CURRENT_COLOR, color);
  EXPECT_TRUE(color[0] == 0.25f && color[1] == 0.5f && color[2] == 0.75f) << "the current colour changed";
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(matrix[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
  GLint texture = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  EXPECT_EQ(texture, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_FALSE(scene.edited) << "the shown frame was dropped";
  glPopMatrix();
  EXPECT_TRUE(DrawingToGL());
}
}  // namespace
