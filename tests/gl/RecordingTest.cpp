#include <GL/gl.h>
#include <gtest/gtest.h>

#include <sstream>

#include "GLFixture.h"
#include "gl/DrawWrappers.h"
#include "gl/Meshes.h"
#include "export/ObjExport.h"
#include "export/ObjRecording.h"

namespace {
int CountLines(const std::string& text, const std::string& prefix) {
  std::istringstream in(text);
  int n = 0;
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0) ++n;
  return n;
}

std::vector<std::string> Lines(const std::string& text, const std::string& prefix) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0) out.push_back(line);
  return out;
}

// Recording switched on around each test, with fresh counters; GL calls go
// to a display list being compiled so nothing needs a frame.
class RecordingTest : public GLFixture {
 protected:
  void SetUp() override {
    GLFixture::SetUp();
    StartExport("/nonexistent/unused.obj");
    BeginExport();
    Recording().objText.Clear();
    list = glGenLists(1);
    glNewList(list, GL_COMPILE);
  }
  void TearDown() override {
    glEndList();
    glDeleteLists(list, 1);
    StopExport();
    Recording().objText.Clear();
    GLFixture::TearDown();
  }
  std::string Text() const { return std::string(Recording().objText.Text()); }
  void Strip(unsigned mode, int vertices) {
    BeginPrimitive(mode);
    for (int i = 0; i < vertices; ++i) Vertex(i, i % 2, 0);
    EndPrimitive();
  }
  unsigned list = 0;
};

TEST_F(RecordingTest, UnitCubeGivesTwentyFourCornersSixNormalsSixFaces) {
  DrawBox(0.5, 0.5, 0.5);
  EXPECT_EQ(CountLines(Text(), "v "), 24);
  EXPECT_EQ(CountLines(Text(), "vt "), 24);
  EXPECT_EQ(CountLines(Text(), "vn "), 6);
  const std::vector<std::string> faces = Lines(Text(), "f ");
  ASSERT_EQ(faces.size(), 6u);
  EXPECT_EQ(faces[0], "f 1/1/1 2/2/1 3/3/1 4/4/1");
  EXPECT_EQ(faces[5], "f 21/21/6 22/22/6 23/23/6 24/24/6");
  EXPECT_EQ(Lines(Text(), "v ")[0], "v -0.5 -0.5 0.5");
  EXPECT_EQ(Lines(Text(), "vn ")[1], "vn 1 0 0");
}

TEST_F(RecordingTest, FaceCountsOfStripsFansAndQuadStrips) {
  Strip(GL_TRIANGLE_STRIP, 6);
  EXPECT_EQ(CountLines(Text(), "f "), 4);
  Strip(GL_TRIANGLE_FAN, 30);
  EXPECT_EQ(CountLines(Text(), "f "), 4 + 28);
  Strip(GL_QUAD_STRIP, 58);
  EXPECT_EQ(CountLines(Text(), "f "), 4 + 28 + 28);
  Strip(GL_TRIANGLES, 7);  // the trailing vertex makes no face
  EXPECT_EQ(CountLines(Text(), "f "), 60 + 2);
  Strip(GL_QUADS, 7);
  EXPECT_EQ(CountLines(Text(), "f "), 62 + 1);
  Strip(GL_POLYGON, 5);
  Strip(GL_LINES, 2);
  const std::vector<std::string> faces = Lines(Text(), "f ");
  ASSERT_EQ(faces.size(), 64u);
  // A polygon is one face of all its corners; no normal or texture index
  // was ever written, so both stay empty with their slashes.
  EXPECT_EQ(faces.back(), "f 109// 110// 111// 112// 113//");
  // Strip triangles keep the strip's order; fans share their first corner;
  // quad strips turn (1 2 4 3).
  EXPECT_EQ(faces[1], "f 2// 3// 4//");
  EXPECT_EQ(faces[4], "f 7// 8// 9//");
  EXPECT_EQ(faces[5], "f 7// 9// 10//");
  EXPECT_EQ(faces[32], "f 37// 38// 40// 39//");
}

TEST_F(RecordingTest, VerticesTakeTheLatestNormalAndTextureLines) {
  Normal(0, 0, 1);
  BeginPrimitive(GL_TRIANGLES);
  TexCoord(0, 0);
  Vertex(0, 0, 0);
  Vertex(1, 0, 0);
  Normal(0, 1, 0);
  Vertex(0, 1, 0);
  EndPrimitive();
  EXPECT_EQ(Lines(Text(), "f ")[0], "f 1/1/1 2/1/1 3/1/2");
}

TEST_F(RecordingTest, NumbersAreCutToSixDecimals) {
  BeginPrimitive(GL_POINTS);
  Vertex(0.1234567, -2, 0.0000001);
  Vertex(2, 0.5, -1.2345678);
  VertexF(0.25f, 0, 0);
  EndPrimitive();
  TexCoord(128 / 255.0, 1);
  NormalF(0, -1, 0);
  const std::vector<std::string> v = Lines(Text(), "v ");
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0], "v 0.123456 -2 0");
  EXPECT_EQ(v[1], "v 2 0.5 -1.234567");
  EXPECT_EQ(v[2], "v 0.25 0 0");
  EXPECT_EQ(Lines(Text(), "vt ")[0], "vt 0.50196 1");
  EXPECT_EQ(Lines(Text(), "vn ")[0], "vn 0 -1 0");
}

TEST_F(RecordingTest, TranslateReplacesWhileGLAccumulates) {
  glEndList();  // this one needs the matrix really moved
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  Translate(1, 0, 0);
  Translate(2, 0, 0);
  double m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 3);
  EXPECT_EQ(Recording().currentTranslation[0], 2);
  BeginPrimitive(GL_POINTS);
  Vertex(0.5, 0, 0);
  EndPrimitive();
  EXPECT_EQ(Lines(Text(), "v ")[0], "v 2.5 0 0");
  glNewList(list, GL_COMPILE);
}

TEST_F(RecordingTest, NothingIsRecordedWhenNotExporting) {
  SetColor(0.1, 0.2, 0.3, 1);
  StopExport();
  DrawBox(1, 1, 1);
  Translate(5, 5, 5);
  SetColor(1, 0, 0, 1);
  Rotate(10, 1, 0, 0);
  EXPECT_TRUE(Text().empty());
  EXPECT_EQ(Recording().vertexCount, 0);
  EXPECT_EQ(Recording().currentTranslation[0], 0);
  EXPECT_EQ(Recording().currentColor[0], 0.1);
  EXPECT_EQ(Recording().angleX, 0);
}
}  // namespace
