#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "GLFixture.h"
#include "gl/Meshes.h"
#include "export/ObjExport.h"
#include "export/ObjRecording.h"

namespace {
struct Mesh {
  std::vector<std::array<double, 3>> v;
  std::vector<std::array<double, 3>> vn;
  std::vector<std::string> vLines;
  std::vector<int> faceSizes;
};

Mesh Parse(const std::string& text) {
  Mesh m;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::istringstream l(line);
    std::string tag;
    l >> tag;
    if (tag == "v" || tag == "vn") {
      std::array<double, 3> p{};
      l >> p[0] >> p[1] >> p[2];
      (tag == "v" ? m.v : m.vn).push_back(p);
      if (tag == "v") m.vLines.push_back(line);
    } else if (tag == "f") {
      int n = 0;
      for (std::string corner; l >> corner;) ++n;
      m.faceSizes.push_back(n);
    }
  }
  return m;
}

int Count(const std::vector<int>& sizes, int n) {
  int c = 0;
  for (int s : sizes) c += s == n;
  return c;
}

// Records one mesh into OBJ text (compiled into a throw-away list).
class MeshTest : public GLFixture {
 protected:
  template <class F>
  Mesh Record(F draw) {
    StartExport("/nonexistent/unused.obj");
    BeginExport();
    Recording().objText.Clear();
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    draw();
    glEndList();
    glDeleteLists(list, 1);
    const Mesh m = Parse(std::string(Recording().objText.Text()));
    StopExport();
    return m;
  }
};

TEST_F(MeshTest, BeveledBoxWithoutBevelIsThePlainBox) {
  const Mesh plain = Record([] { DrawBox(1, 2, 3); });
  const Mesh same = Record([] { DrawBeveledBox(1, 2, 3, 0, 100); });
  EXPECT_EQ(plain.vLines, same.vLines);
  EXPECT_EQ(same.faceSizes, std::vector<int>(6, 4));
}

TEST_F(MeshTest, FrustumHasAHalfSizedTop) {
  const Mesh m = Record([] { DrawBeveledBox(2, 1, 4, 0, 50); });
  ASSERT_EQ(m.faceSizes, std::vector<int>(6, 4));
  double topX = 0, topZ = 0, bottomX = 0;
  for (const auto& p : m.v) {
    if (p[1] == 1) topX = std::max(topX, p[0]), topZ = std::max(topZ, p[2]);
    if (p[1] == -1) bottomX = std::max(bottomX, p[0]);
  }
  EXPECT_EQ(topX, 1);
  EXPECT_EQ(topZ, 2);
  EXPECT_EQ(bottomX, 2);
}

TEST_F(MeshTest, BeveledBoxHasEighteenQuadsAndEightCorners) {
  const Mesh m = Record([] { DrawBeveledBox(2, 2, 2, 0.25, 100); });
  EXPECT_EQ(Count(m.faceSizes, 4), 18);
  EXPECT_EQ(Count(m.faceSizes, 3), 8);
  EXPECT_EQ(m.v.size(), 18u * 4 + 8 * 3);
  EXPECT_EQ(m.vn.size(), 26u);
  // The bevel keeps every corner inside the box and touches each face.
  double extent = 0;
  for (const auto& p : m.v)
    for (double c : p) extent = std::max(extent, std::fabs(c));
  EXPECT_EQ(extent, 2);
}

TEST_F(MeshTest, SphereIsTwoFansAndTwentySevenBands) {
  const Mesh m = Record([] { DrawSphere(28, 28, 1.5); });
  EXPECT_EQ(m.v.size(), 30u + 27 * 58 + 30);
  EXPECT_EQ(Count(m.faceSizes, 3), 28 * 2);
  EXPECT_EQ(Count(m.faceSizes, 4), 27 * 28);
  for (const auto& p : m.v) EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 1.5, 1e-5);
  EXPECT_EQ(m.v.front()[1], 1.5);       // north pole first
  EXPECT_EQ(m.v[30 + 27 * 58][1], -1.5);  // the south fan's centre
  EXPECT_EQ(m.vn.back()[1], 1);          // the normal is left pointing up
}

TEST_F(MeshTest, CylinderSeamRepeatsTheFirstColumnExactly) {
  const int n = 14;
  const Mesh m = Record([] { DrawCylinder(14, 4, 1, 1); });
  // Side strip, top strip, bottom strip: 2 (n + 1) vertices each.
  ASSERT_EQ(m.v.size(), 3u * 2 * (n + 1));
  EXPECT_EQ(Count(m.faceSizes, 4), n);
  EXPECT_EQ(Count(m.faceSizes, 3), 2 * 2 * n);
  EXPECT_EQ(m.vLines[0], m.vLines[2 * n]);
  EXPECT_EQ(m.vLines[1], m.vLines[2 * n + 1]);
  EXPECT_EQ(m.vLines[0], "v 0 -2 1");
}

TEST_F(MeshTest, BeveledCylinderHasFiveStripsCutAtTheRims) {
  const int n = 14;
  const Mesh m = Record([] { DrawBeveledCylinder(14, 4, 1, 1, 0.25); });
  ASSERT_EQ(m.v.size(), 5u * 2 * (n + 1));
  EXPECT_EQ(Count(m.faceSizes, 4), 3 * n);
  EXPECT_EQ(Count(m.faceSizes, 3), 2 * 2 * n);
  double top = 0, rimAtTop = 0;
  for (const auto& p : m.v)
    if (p[1] > top - 1e-9) top = p[1];
  for (const auto& p : m.v)
    if (p[1] == top) rimAtTop = std::max(rimAtTop, std::hypot(p[0], p[2]));
  EXPECT_EQ(top, 2);
  EXPECT_NEAR(rimAtTop, 0.75, 1e-6);
  // Bevel normals are unit length and lean outwards and up at the top.
  const auto& bevel = m.vn[2 * (n + 1)];
  EXPECT_NEAR(std::sqrt(bevel[0] * bevel[0] + bevel[1] * bevel[1] + bevel[2] * bevel[2]), 1, 1e-5);
  EXPECT_GT(bevel[1], 0.5);
  const Mesh plain = Record([] { DrawBeveledCylinder(14, 4, 1, 1, 0); });
  const Mesh single = Record([] { DrawCylinder(14, 4, 1, 1); });
  EXPECT_EQ(plain.vLines, single.vLines);
}

}  // namespace
