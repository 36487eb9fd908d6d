#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "SceneFixture.h"
#include "common/TextureFolder.h"
#include "gl/ColorValue.h"
#include "gl/ElementDrawing.h"
#include "gl/Textures.h"

namespace {
namespace fs = std::filesystem;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NormalizeAngle, BringsAnyAngleIntoAHalfTurnExactly) {
  // Huge angles are reduced exactly: 10^20 = 280, 2^60 = 136, 2^1000 = 16 (mod 360).
  const std::pair<double, double> cases[] = {{450, 90},
                                             {-190, 170},
                                             {180, 180},
                                             {-180, -180},
                                             {540, 180},
                                             {-720, 0},
                                             {359, -1},
                                             {12.5, 12.5},
                                             {1e20, -80},
                                             {-1e20, 80},
                                             {std::ldexp(1.0, 60), 136},
                                             {std::ldexp(1.0, 1000), 16},
                                             {360.0 * 123456789 + 0.25, 0.25},
                                             {HUGE_VAL, HUGE_VAL},
                                             {-HUGE_VAL, -HUGE_VAL}};
  for (const auto& [in, out] : cases) EXPECT_EQ(NormalizeAngle(in), out) << in;
  EXPECT_TRUE(std::isnan(NormalizeAngle(kNaN)));
  EXPECT_FALSE(std::signbit(NormalizeAngle(-720))) << "a whole turn back is 0, not -0";
}

TEST(ColorValue, SystemColoursComeFromThePalette) {
  EXPECT_EQ(ResolveColor(0x12345678), 0x345678u);  // stray high byte dropped
  const QColor base = QGuiApplication::palette().color(QPalette::Base);
  const uint32_t window = ResolveColor(0x80000005);
  EXPECT_EQ(QColor(RedOf(window), GreenOf(window), BlueOf(window)), base);
}

class ElementDrawingTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    ClearTextureCache();
    scene.showEditAids = false;
    CreateTextures(*view, 8);
  }
  void TearDown() override {
    DropSceneList(scene);
    ClearTextureCache();
    SceneFixture::TearDown();
  }
  std::string Recorded() {
    return RecordedText([&] { DrawElements(*view, store); });
  }
};

// Drawing writes normalised angles back (the panel shows them so) but
// leaves hidden elements and elements with wild numbers out, byte for byte.
TEST_F(ElementDrawingTest, AnglesAreNormalisedAndWildElementsLeftOutUntouched) {
  Element3D& red = Add("red", kPanel, -3, 1, 0, 0x0000FF);
  red.axy = 450, red.ayz = -190, red.axz = 540;
  Add("green", kPanel, 3, 1, 0, 0x00FF00);
  Add("hidden", kCube).axy = 400;
  store.As<Element3D>(2).invisible = 1;
  Redraw(scene);
  const Element3D& drawn = store.As<Element3D>(0);
  EXPECT_TRUE(drawn.axy == 90 && drawn.ayz == 170 && drawn.axz == 180)
      << +drawn.axy << " " << +drawn.ayz << " " << +drawn.axz;
  EXPECT_EQ(double{store.As<Element3D>(2).axy}, 400);
  const std::vector<unsigned char> clean = Frame();
  const std::string cleanText = Recorded();
  ASSERT_NE(cleanText.find("o green\n"), std::string::npos);

  // The same two elements with every kind of wild value between them.
  store.SetCount(1);
  Add("w1", kPanel).x = kNaN;
  Add("w2", kPanel).axy = kInf;
  Add("w3", kPanel).dy = 1e10;
  Add("w4", kPanel).chamfer = -kInf;
  Element3D& turned = Add("w5", kPanel);
  turned.ayz = kNaN;
  turned.axz = 540;  // would be normalised if the element were drawn
  Add("green", kPanel, 3, 1, 0, 0x00FF00);
  const std::vector<uint8_t> before(store.Data(), store.Data() + store.Count() * kElementRecordSize);

  Redraw(scene);
  EXPECT_TRUE(Frame() == clean) << "a wild element changed the frame";
  EXPECT_EQ(Recorded(), cleanText);
  EXPECT_EQ(std::memcmp(before.data(), store.Data(), before.size()), 0) << "the records were changed";
}

// Undoing a far, turned element's transform by opposite turns would leave
// single-precision residue in the camera's matrix.
TEST_F(ElementDrawingTest, EachElementGetsItsOwnMatrix) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotated(20, 1, 0, 0);
  double camera[16], after[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, camera);
  Element3D& far = Add("far", kSphere, 5e8, -3e8, 0);
  far.axy = 30, far.axz = 70, far.ayz = -45;
  far.texture.assign("texture1.jpeg");
  DrawElement(*view, far);
  glGetDoublev(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], camera[i]) << i;
  GLint depth = 0, bound = -1;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(bound, 0) << "the element's texture stayed bound";
}

TEST_F(ElementDrawingTest, TextureNamesThatLeaveTheFolderNameNoFile) {
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
    ClearTextureCache();
    store.SetCount(0);
    Add("plain", kPanel).texture.assign(name);
    Add("@label", kPanel, 4).texture.assign(name);
    EXPECT_EQ(TexturePath(name), "") << name;
    Redraw(scene);
    EXPECT_EQ(TextureCacheCount(), 0) << name << ": the file was read";
    EXPECT_EQ(Recorded().find("red.bmp"), std::string::npos) << name;
  }
  fs::remove_all(outside);
}
}  // namespace
