#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "GLFixture.h"
#include "common/TextureFolder.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"
#include "gl/ElementDrawing.h"
#include "gl/Picking.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "gl/ViewPresets.h"
#include "export/ObjExport.h"
#include "export/ObjRecording.h"

namespace {
namespace fs = std::filesystem;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class HostileElementTest : public GLFixture {
 protected:
  void SetUp() override {
    GLFixture::SetUp();
    ClearTextureCache();
    store.RecordSize = kElementRecordSize;
    scene.view = view;
    scene.elements = &store;
    scene.showEditAids = false;
    DefaultView(*view);
    ApplyCamera(*view);
    CreateTextures(*view, 8);
  }
  void TearDown() override {
    DropSceneList(scene);
    ClearTextureCache();
    GLFixture::TearDown();
  }
  Element3D& Add(const char* name, double x, uint32_t color) {
    store.SetCount(store.Count() + 1);
    Element3D& e = store.As<Element3D>(store.Count() - 1);
    e = Element3D{};
    e.kind = kPanel;
    e.name.assign(name);
    e.dx = e.dy = e.dz = 2;
    e.x = x;
    e.y = 1;
    e.color = color;
    e.topPercent = 100;
    return e;
  }
  std::vector<unsigned char> Frame() {
    Redraw(scene);
    std::vector<unsigned char> rgb(static_cast<size_t>(surface->Width()) * surface->Height() * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, surface->Width(), surface->Height(), GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return rgb;
  }
  // The OBJ and MTL text of one frame of the store.
  std::string Recorded() {
    StartExport("/nonexistent/unused.obj");
    BeginExport();
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    DrawElements(*view, store);
    glEndList();
    glDeleteLists(list, 1);
    std::string text = std::string(Recording().objText.Text()) + Recording().mtlText;
    StopExport();
    Recording().objText.Clear();
    Recording().mtlText.clear();
    return text;
  }
  TIMem32 store{"hostile"};
  SceneState scene;
};

TEST_F(HostileElementTest, ElementsWithWildNumbersAreLeftOutAndKeptAsTheyAre) {
  Add("red", -3, 0x0000FF);
  Add("green", 3, 0x00FF00);
  const std::vector<unsigned char> clean = Frame();
  const std::string cleanText = Recorded();
  ASSERT_NE(cleanText.find("o green\n"), std::string::npos);

  // The same two elements with every kind of wild value between them.
  store.SetCount(1);
  Add("w1", 0, 0xFF0000).x = kNaN;
  Add("w2", 0, 0xFF0000).axy = kInf;
  Add("w3", 0, 0xFF0000).dy = 1e10;
  Add("w4", 0, 0xFF0000).chamfer = -kInf;
  Element3D& turned = Add("w5", 0, 0xFF0000);
  turned.ayz = kNaN;
  turned.axz = 540;  // would be normalised if the element were drawn
  Add("green", 3, 0x00FF00);
  std::vector<uint8_t> before(store.Data(), store.Data() + store.Count() * kElementRecordSize);

  EXPECT_EQ(Frame(), clean);
  // Nothing of theirs reaches the export: the text is the clean one.
  const std::string text = Recorded();
  EXPECT_EQ(text, cleanText);
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  EXPECT_EQ(lower.find("nan"), std::string::npos);
  EXPECT_EQ(lower.find("inf"), std::string::npos);
  // Byte for byte as they were, angles included.
  EXPECT_EQ(std::memcmp(before.data(), store.Data(), before.size()), 0);
}

TEST_F(HostileElementTest, EachElementGetsItsOwnMatrix) {
  // Far away and turned: undoing the transform by opposite turns and a
  // translation back leaves single-precision residue in the matrix.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotated(20, 1, 0, 0);
  double camera[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, camera);
  Element3D far{};
  far.kind = kSphere;
  far.dx = far.dy = far.dz = 1;
  far.x = 5e8;
  far.y = -3e8;
  far.axy = 30;
  far.axz = 70;
  far.ayz = -45;
  DrawElement(*view, far);
  double after[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], camera[i]) << i;
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
}

TEST_F(HostileElementTest, TextureNamesThatLeaveTheFolderNameNoFile) {
  const std::string outside = MakeTempFolder("x");
  QImage red(4, 4, QImage::Format_RGB888);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(QString::fromStdString(outside + "/red.bmp"), "BMP"));
  // From the texture folder up to the root, then down to the picture.
  std::string up;
  for (const auto& part : fs::path(TextureFolder()).relative_path()) up += part.empty() ? "" : "../";
  const std::string slashes = up + fs::path(outside).relative_path().string() + "/red.bmp";
  std::string backslashes = slashes;
  std::replace(backslashes.begin(), backslashes.end(), '/', '\\');
  ASSERT_LE(slashes.size(), 63u) << "the temporary folder is too deep for a texture name";
  ASSERT_TRUE(fs::exists(TextureFolder() + slashes));

  for (const std::string& name : {slashes, backslashes}) {
    SCOPED_TRACE(name);
    ClearTextureCache();
    store.SetCount(0);
    Add("green", 0, 0x00FF00).texture.assign(name);
    Add("@label", 4, 0x00FF00).texture.assign(name);
    EXPECT_EQ(TexturePath(name), "");
    Redraw(scene);
    // Drawn untextured: its own green, not green through red.
    int px, py;
    ProjectPoint(*view, 0, 1, 1, px, py);
    const std::vector<unsigned char> rgb = Pixel(px, py);
    EXPECT_GT(rgb[1], 100);
    EXPECT_LT(rgb[0], 60);
    EXPECT_EQ(TextureCacheCount(), 0);  // the file was never even read
    const std::string text = Recorded();
    EXPECT_EQ(text.find("red.bmp"), std::string::npos);
  }
  fs::remove_all(outside);
}
}  // namespace
