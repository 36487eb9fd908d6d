#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

#include "GLFixture.h"
#include "document/Element3D.h"
#include "export/ObjCanvas.h"
#include "gl/DrawWrappers.h"
#include "gl/ElementDrawing.h"
#include "gl/GLCanvas.h"
#include "gl/Meshes.h"

namespace {
using Point = std::array<double, 3>;

// The vertex lines of an OBJ text, and the points of its "v" and "vn" lines.
struct Obj {
  std::vector<std::string> v;
  std::vector<Point> points, normals;
};

Obj Parse(const std::string& text) {
  Obj o;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::istringstream l(line);
    std::string tag;
    Point p{};
    l >> tag >> p[0] >> p[1] >> p[2];
    if (tag == "v") o.v.push_back(line), o.points.push_back(p);
    if (tag == "vn") o.normals.push_back(p);
  }
  return o;
}

double Length(const Point& p) { return std::hypot(p[0], p[1], p[2]); }

using RecordingTest = GLFixture;

Obj Record(const std::function<void()>& draw) { return Parse(RecordedText(draw)); }

// The wrappers draw into the current canvas alone: an export's canvas sees
// nothing drawn outside its scope and OpenGL nothing drawn inside it, and
// each scope hands drawing back to the canvas before it.
TEST_F(RecordingTest, DrawingReachesOnlyTheCurrentCanvas) {
  ObjCanvas canvas;
  canvas.BeginExport("a.mtl");
  const std::string start(canvas.ObjText().Text());
  const auto glColor = [] {
    GLfloat c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    return std::array<float, 3>{c[0], c[1], c[2]};
  };
  SetColor(0.25, 0.5, 0.75, 1);
  DrawBox(1, 1, 1);
  EXPECT_EQ(canvas.ObjText().Text(), start);
  EXPECT_EQ(canvas.VertexCount(), 0);
  EXPECT_TRUE((glColor() == std::array<float, 3>{0.25f, 0.5f, 0.75f}));

  int boxVertices = 0;
  {
    const DrawInto into(canvas);
    EXPECT_FALSE(DrawingToGL());
    SetColor(1, 0, 0, 1);
    DrawBox(1, 1, 1);
    boxVertices = canvas.VertexCount();
    {
      const DrawInto view(ViewCanvas());
      EXPECT_TRUE(DrawingToGL());
      DrawBox(2, 2, 2);
    }
    EXPECT_FALSE(DrawingToGL()) << "the inner scope gave drawing back to the export";
    DrawBox(1, 1, 1);
  }
  EXPECT_TRUE(DrawingToGL());
  EXPECT_GT(boxVertices, 0);
  EXPECT_EQ(canvas.VertexCount(), 2 * boxVertices) << "the box drawn for the view reached the export";
  EXPECT_TRUE((glColor() == std::array<float, 3>{0.25f, 0.5f, 0.75f})) << "the export's colour reached OpenGL";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// An element's placement stays with it: what is drawn after it, and the
// next element, start from where the frame stood.
TEST_F(RecordingTest, AnElementsPlacementEndsWithIt) {
  Element3D turned{};
  turned.name.assign("turned");
  turned.topPercent = 100;
  turned.kind = kPanel, turned.dx = turned.dy = turned.dz = 2;
  turned.x = 10, turned.y = 20, turned.z = 30;
  turned.axy = 30, turned.axz = 45, turned.ayz = 60;
  Element3D plain = turned;
  plain.name.assign("plain");
  plain.x = plain.y = plain.z = 0;
  plain.axy = plain.axz = plain.ayz = 0;

  const Obj alone = Record([&] { DrawElement(*view, plain); });
  const Obj after = Record([&] {
    DrawElement(*view, turned);
    DrawElement(*view, plain);
  });
  ASSERT_EQ(after.points.size(), 2 * alone.points.size());
  EXPECT_TRUE(std::equal(alone.v.begin(), alone.v.end(), after.v.begin() + alone.v.size()))
      << "the second element inherited the first one's translation or turns";
  for (size_t i = 0; i < alone.points.size(); ++i)
    ASSERT_NEAR(Length({after.points[i][0] - 10, after.points[i][1] - 20, after.points[i][2] - 30}), std::sqrt(3.0),
                1e-5)
        << "a corner of the turned element left its sphere about its centre";

  const Obj box = Record([] { DrawBox(1, 1, 1); });
  const Obj boxAfter = Record([&] {
    DrawElement(*view, turned);
    DrawBox(1, 1, 1);
  });
  EXPECT_TRUE(std::equal(box.v.begin(), box.v.end(), boxAfter.v.end() - box.v.size()));
}

TEST_F(RecordingTest, ShapesKeepTheirSizeAndCloseTheirSeams) {
  const Obj plain = Record([] { DrawBox(1, 2, 3); });
  const Obj same = Record([] { DrawBeveledBox(1, 2, 3, 0, 100); });
  EXPECT_EQ(plain.v, same.v) << "no bevel and a full top is the plain box";

  const Obj frustum = Record([] { DrawBeveledBox(2, 1, 4, 0, 50); });
  double topX = 0, topZ = 0, bottomX = 0;  // the top is half the base
  for (const Point& p : frustum.points) {
    if (p[1] == 1) topX = std::max(topX, p[0]), topZ = std::max(topZ, p[2]);
    if (p[1] == -1) bottomX = std::max(bottomX, p[0]);
  }
  EXPECT_EQ(topX, 1);
  EXPECT_EQ(topZ, 2);
  EXPECT_EQ(bottomX, 2);

  double extent = 0;  // a bevel keeps inside the box, touching each face
  for (const Point& p : Record([] { DrawBeveledBox(2, 2, 2, 0.25, 100); }).points)
    extent = std::max({extent, std::fabs(p[0]), std::fabs(p[1]), std::fabs(p[2])});
  EXPECT_EQ(extent, 2);

  const Obj sphere = Record([] { DrawSphere(28, 28, 1.5); });
  for (const Point& p : sphere.points) ASSERT_NEAR(Length(p), 1.5, 1e-5);

  // The seam column is written again digit for digit, or the mesh would crack.
  const int n = 14;
  const Obj cylinder = Record([] { DrawCylinder(14, 4, 1, 1); });
  ASSERT_EQ(cylinder.v.size(), 3u * 2 * (n + 1));
  EXPECT_EQ(cylinder.v[0], "v 0 -2 1");
  EXPECT_EQ(cylinder.v[0], cylinder.v[2 * n]);
  EXPECT_EQ(cylinder.v[1], cylinder.v[2 * n + 1]);
  EXPECT_EQ(Record([] { DrawBeveledCylinder(14, 4, 1, 1, 0); }).v, cylinder.v);

  const Obj beveled = Record([] { DrawBeveledCylinder(14, 4, 1, 1, 0.25); });
  ASSERT_EQ(beveled.v.size(), 5u * 2 * (n + 1));
  double top = -1e9, rim = 0;
  for (const Point& p : beveled.points) top = std::max(top, p[1]);
  for (const Point& p : beveled.points)
    if (p[1] == top) rim = std::max(rim, std::hypot(p[0], p[2]));
  EXPECT_EQ(top, 2);
  EXPECT_NEAR(rim, 0.75, 1e-6);
  const Point& bevel = beveled.normals[2 * (n + 1)];  // unit length, outwards and up at the top
  EXPECT_NEAR(Length(bevel), 1, 1e-5);
  EXPECT_GT(bevel[1], 0.5);

  // Round elements take their radius from the smaller of their sizes.
  Element3D e{};
  e.name.assign("e");
  e.topPercent = 100;
  e.kind = kCylinder, e.dx = 4, e.dy = 6, e.dz = 2;
  double radius = 0, high = 0;
  for (const Point& p : Record([&] { DrawElement(*view, e); }).points)
    radius = std::max(radius, std::hypot(p[0], p[2])), high = std::max(high, p[1]);
  EXPECT_NEAR(radius, 1, 1e-6);
  EXPECT_EQ(high, 3);
  e.kind = kSphere, e.dx = 4, e.dy = 1, e.dz = 3;
  radius = 0;
  for (const Point& p : Record([&] { DrawElement(*view, e); }).points) radius = std::max(radius, Length(p));
  EXPECT_NEAR(radius, 0.5, 1e-6);
}
}  // namespace
