#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <cmath>
#include <sstream>

#include "GLFixture.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"
#include "gl/ColorValue.h"
#include "gl/ElementDrawing.h"
#include "gl/LabelBitmap.h"
#include "gl/Textures.h"
#include "export/ObjExport.h"
#include "export/ObjRecording.h"

namespace {
Element3D Make(int kind, double dx, double dy, double dz) {
  Element3D e{};
  e.kind = kind;
  e.name.assign("e");
  e.dx = dx;
  e.dy = dy;
  e.dz = dz;
  e.topPercent = 100;
  e.color = 0x0000FF;
  return e;
}

std::vector<std::array<double, 3>> Vertices(const std::string& text) {
  std::vector<std::array<double, 3>> v;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("v ", 0) == 0) {
      std::istringstream l(line.substr(2));
      std::array<double, 3> p{};
      l >> p[0] >> p[1] >> p[2];
      v.push_back(p);
    }
  return v;
}

class ElementDrawingTest : public GLFixture {
 protected:
  // The OBJ text of one element drawn while recording.
  std::string Recorded(Element3D& e) {
    StartExport("/nonexistent/unused.obj");
    BeginExport();
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    DrawElement(*view, e);
    glEndList();
    glDeleteLists(list, 1);
    std::string text(Recording().objText.Text());
    StopExport();
    Recording().objText.Clear();
    Recording().mtlText.clear();
    return text;
  }
};

TEST(NormalizeAngle, BringsAnglesIntoHalfTurns) {
  EXPECT_EQ(NormalizeAngle(450), 90);
  EXPECT_EQ(NormalizeAngle(-190), 170);
  EXPECT_EQ(NormalizeAngle(180), 180);
  EXPECT_EQ(NormalizeAngle(-180), -180);
  EXPECT_EQ(NormalizeAngle(540), 180);
  EXPECT_EQ(NormalizeAngle(-720), 0);
  EXPECT_EQ(NormalizeAngle(359), -1);
  EXPECT_EQ(NormalizeAngle(12.5), 12.5);
}

TEST(NormalizeAngle, IsExactForHugeAnglesAndLeavesNonNumbersAlone) {
  // 10^20 is a double exactly; 10^20 = 280 (mod 360), as 10^n = 10 (mod 45)
  // and 0 (mod 8).
  EXPECT_EQ(NormalizeAngle(1e20), -80);
  EXPECT_EQ(NormalizeAngle(-1e20), 80);
  // Powers of two, exact as well: 2^60 = 136 and 2^1000 = 16 (mod 360).
  EXPECT_EQ(NormalizeAngle(std::ldexp(1.0, 60)), 136);
  EXPECT_EQ(NormalizeAngle(std::ldexp(1.0, 1000)), 16);
  EXPECT_EQ(NormalizeAngle(360.0 * 123456789 + 0.25), 0.25);
  EXPECT_TRUE(std::isnan(NormalizeAngle(std::nan(""))));
  EXPECT_EQ(NormalizeAngle(HUGE_VAL), HUGE_VAL);
  EXPECT_EQ(NormalizeAngle(-HUGE_VAL), -HUGE_VAL);
  EXPECT_FALSE(std::signbit(NormalizeAngle(-720)));  // a whole turn back is 0, not -0
}

TEST_F(ElementDrawingTest, DrawingWritesNormalisedAnglesBack) {
  TIMem32 store("t");
  store.RecordSize = kElementRecordSize;
  store.SetCount(1);
  Element3D& e = store.As<Element3D>(0);
  e = Make(kCube, 1, 1, 1);
  e.axy = 450;
  e.ayz = -190;
  e.axz = 540;
  DrawElements(*view, store);
  EXPECT_EQ(double{store.As<Element3D>(0).axy}, 90);
  EXPECT_EQ(double{store.As<Element3D>(0).ayz}, 170);
  EXPECT_EQ(double{store.As<Element3D>(0).axz}, 180);
}

TEST_F(ElementDrawingTest, TheTransformIsUndoneAfterEachElement) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  Element3D e = Make(kSphere, 2, 2, 2);
  e.x = 3;
  e.y = -1;
  e.axy = 30;
  e.axz = 70;
  e.ayz = -45;
  DrawElement(*view, e);
  double m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], i % 5 == 0 ? 1 : 0, 1e-6) << i;
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
}

TEST_F(ElementDrawingTest, InvisibleElementsLeaveNoTrace) {
  Element3D e = Make(kCube, 1, 1, 1);
  e.invisible = 1;
  e.axy = 400;
  EXPECT_EQ(Recorded(e), "mtllib unused.mtl\n");
  EXPECT_EQ(double{e.axy}, 400);  // not even normalised
}

TEST_F(ElementDrawingTest, CylinderAndSphereTakeTheirRadiusFromTheSmallerSizes) {
  Element3D cylinder = Make(kCylinder, 4, 6, 2);
  double radius = 0, top = 0;
  for (const auto& p : Vertices(Recorded(cylinder))) {
    radius = std::max(radius, std::hypot(p[0], p[2]));
    top = std::max(top, p[1]);
  }
  EXPECT_NEAR(radius, 1, 1e-6);
  EXPECT_EQ(top, 3);
  Element3D sphere = Make(kSphere, 4, 1, 3);
  radius = 0;
  for (const auto& p : Vertices(Recorded(sphere))) radius = std::max(radius, std::hypot(p[0], p[1], p[2]));
  EXPECT_NEAR(radius, 0.5, 1e-6);
}

TEST_F(ElementDrawingTest, UnknownKindsGetObjectAndMaterialButNoGeometry) {
  Element3D e = Make(7, 1, 1, 1);
  e.name.assign("odd");
  EXPECT_EQ(Recorded(e), "mtllib unused.mtl\no odd\nusemtl odd\ns off\n");
}

TEST_F(ElementDrawingTest, LabelsWithoutEqualsAreDrawnOverWhite) {
  StartExport("/nonexistent/unused.obj");
  BeginExport();
  Element3D plain = Make(kCube, 2, 1, 1);
  plain.name.assign("@Hello");
  Element3D tinted = Make(kCube, 2, 1, 1);
  tinted.name.assign("@x=1");
  Element3D ordinary = Make(kPanel, 2, 1, 1);
  CreateTextures(*view, 8);
  DrawElement(*view, plain);
  DrawElement(*view, tinted);
  DrawElement(*view, ordinary);
  const std::string mtl = Recording().mtlText;
  StopExport();
  EXPECT_NE(mtl.find("newmtl @Hello\nNs 96.078431\nKa 0.200000 0.200000 0.200000\nKd 1 1 1\n"), std::string::npos);
  EXPECT_NE(mtl.find("newmtl @x=1\nNs 96.078431\nKa 0.200000 0.200000 0.200000\nKd 1 0 0\n"), std::string::npos);
  EXPECT_NE(mtl.find("newmtl e\nNs 96.078431\nKa 0.200000 0.200000 0.200000\nKd 1 0 0\n"), std::string::npos);
}

TEST_F(ElementDrawingTest, LabelPictureShowsTheNameInTheComplementColour) {
  const TextureBitmap* picture = DrawLabelBitmap("@AB", 0x000000, "", 1, 1);
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->width, 256);
  // Black background; the letters are white pushed to the top (255).
  int inked = 0, background = 0;
  for (int y = 18; y < 238; ++y)
    for (int x = 0; x < 255; ++x) {
      const uint8_t* p = picture->at(x, y);
      if (p[0] == 255 && p[1] == 255 && p[2] == 255) ++inked;
      if (p[0] == 0 && p[1] == 0 && p[2] == 0) ++background;
    }
  EXPECT_GT(inked, 1000);
  EXPECT_GT(background, 1000);
  EXPECT_EQ(LabelTextColor(0x000000), 0xFFFFFFu);
  // 255 - each part, then 17 further from the middle; 128 stays.
  EXPECT_EQ(LabelTextColor(0x7F8081), 0x806E6Du);
  EXPECT_EQ(DrawLabelBitmap("@AB", 0, "", 1, 0), nullptr);
}

TEST_F(ElementDrawingTest, ScaleLabelsDrawARuler) {
  const TextureBitmap* b = DrawLabelBitmap("@escala|v|100|0|4|2|", 0x000000, "", 1, 1);
  ASSERT_NE(b, nullptr);
  // Five major ticks from y 6 to 250, each from x 21 to 116.
  for (int y : {6, 67, 128, 189, 250}) {
    EXPECT_EQ(b->at(60, y)[0], 255) << y;
    EXPECT_EQ(b->at(115, y)[0], 255) << y;
  }
  EXPECT_EQ(b->at(60, 30)[0], 0);
}
}  // namespace

namespace {
TEST(ColorValue, SystemColoursComeFromThePalette) {
  EXPECT_EQ(ResolveColor(0x12345678), 0x345678u);  // stray high byte dropped
  const QColor base = QGuiApplication::palette().color(QPalette::Base);
  const uint32_t window = ResolveColor(0x80000005);
  EXPECT_EQ(RedOf(window), base.red());
  EXPECT_EQ(GreenOf(window), base.green());
  EXPECT_EQ(BlueOf(window), base.blue());
}
}  // namespace
