// The OBJ export records the frame with the OpenGL calls switched off: the
// files are those the drawn frame records, and OpenGL is left as it was.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "GLFixture.h"
#include "gl/DocumentSave.h"
#include "gl/DrawWrappers.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "gl/ViewPresets.h"
#include "export/ObjExport.h"
#include "tests/export/MixedDocument.h"

namespace {
namespace fs = std::filesystem;

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The OBJ text without its first line, which names the MTL file.
std::string Body(const std::string& path) {
  const std::string text = FileText(path);
  return text.substr(std::min(text.size(), text.find('\n') + 1));
}

class SceneRecordingTest : public GLFixture {
 protected:
  void SetUp() override {
    GLFixture::SetUp();
    folder = MakeTempFolder("scene_recording");
    CreateTextures(*view, 8);
    DefaultView(*view);
    ApplyCamera(*view);
    FillMixedDocument(store, 300);
    scene.view = view;
    scene.elements = &store;
  }
  void TearDown() override {
    DropSceneList(scene);
    GLFixture::TearDown();
  }
  // The export as it was made before: the frame rebuilt and drawn through
  // OpenGL while recording.
  void ExportByDrawing(const std::string& path) {
    ASSERT_EQ(StartExport(path), "");
    Redraw(scene);
    const ExportOutcome outcome = LastExportOutcome();
    StopExport();
    ASSERT_TRUE(outcome.written) << outcome.reason;
  }
  std::string Path(const std::string& name) const { return folder + "/" + name; }

  std::string folder;
  TIMem32 store{"recording"};
  SceneState scene;
};

TEST_F(SceneRecordingTest, RecordedFilesEqualThoseOfTheDrawnFrame) {
  // A kind being added: its template element is part of the frame, and so
  // of the export, after the document's elements.
  scene.palette = 2;
  scene.templateElement.kind = kSphere;
  scene.templateElement.dx = scene.templateElement.dy = scene.templateElement.dz = 3;
  scene.templateElement.texture.assign("texture1.jpeg");
  scene.templateElement.name.assign("new");
  ExportByDrawing(Path("drawn.obj"));
  ASSERT_TRUE(SaveDocument(scene, Path("recorded.obj"), "").ok());
  EXPECT_EQ(Body(Path("recorded.obj")), Body(Path("drawn.obj")));
  EXPECT_EQ(FileText(Path("recorded.mtl")), FileText(Path("drawn.mtl")));
  EXPECT_NE(Body(Path("recorded.obj")).find("o new\n"), std::string::npos);

  // Without a view at all, as the batch tool exports.
  SceneState bare;
  bare.elements = &store;
  bare.palette = scene.palette;
  bare.templateElement = scene.templateElement;
  ASSERT_TRUE(SaveDocument(bare, Path("bare.obj"), "").ok());
  EXPECT_EQ(Body(Path("bare.obj")), Body(Path("drawn.obj")));
  EXPECT_EQ(FileText(Path("bare.mtl")), FileText(Path("drawn.mtl")));

  // glTF and STL are converted from the same recording; only a picture
  // needs a view to draw on.
  ASSERT_TRUE(SaveDocument(bare, Path("bare.stl"), "").ok());
  EXPECT_GT(fs::file_size(Path("bare.stl")), 10000u);
  const DocumentResult picture = SaveDocument(bare, Path("bare.jpeg"), "");
  EXPECT_FALSE(picture.ok());
  EXPECT_EQ(picture.reason, "no GL context");
  EXPECT_FALSE(fs::exists(Path("bare.jpeg")));
}

TEST_F(SceneRecordingTest, ExportLeavesOpenGLAndTheShownFrameAlone) {
  Redraw(scene);
  const unsigned shownList = scene.sceneList;
  ASSERT_NE(shownList, 0u);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, 0);
  while (glGetError() != GL_NO_ERROR) {
  }

  ASSERT_TRUE(SaveDocument(scene, Path("quiet.obj"), "").ok());
  ASSERT_TRUE(SaveDocument(scene, Path("quiet.glb"), "").ok());

  GLfloat color[4];
  glGetFloatv(GL_CURRENT_COLOR, color);
  EXPECT_FLOAT_EQ(color[0], 0.25f);
  EXPECT_FLOAT_EQ(color[1], 0.5f);
  EXPECT_FLOAT_EQ(color[2], 0.75f);
  GLfloat matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(matrix[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
  GLint texture = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  EXPECT_EQ(texture, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // Nothing was drawn, so the shown frame was neither dropped nor rebuilt.
  EXPECT_EQ(scene.sceneList, shownList);
  glPopMatrix();
  EXPECT_TRUE(DrawingToGL());
}
}  // namespace
