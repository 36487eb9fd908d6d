#include <GL/gl.h>
#include <unistd.h>
#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

#include <QImage>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/DataPath.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"
#include "gl/DocumentSave.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "gl/ViewPresets.h"
#include "export/ObjExport.h"
#include "tests/gl/SceneFixture.h"

namespace {
namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const char kBoxAt123[] =
    "o box\nusemtl box\ns off\n"
    "vn 0 0 1\nvt 0 0\nv 0 1 4\nvt 0 1\nv 0 3 4\nvt 1 1\nv 2 3 4\nvt 1 0\nv 2 1 4\n"
    "vn 1 0 0\nvt 0 0\nv 2 1 4\nvt 0 1\nv 2 3 4\nvt 1 1\nv 2 3 2\nvt 1 0\nv 2 1 2\n"
    "vn 0 0 -1\nvt 0 0\nv 2 1 2\nvt 0 1\nv 2 3 2\nvt 1 1\nv 0 3 2\nvt 1 0\nv 0 1 2\n"
    "vn -1 0 0\nvt 0 0\nv 0 1 2\nvt 0 1\nv 0 3 2\nvt 1 1\nv 0 3 4\nvt 1 0\nv 0 1 4\n"
    "vn 0 -1 0\nvt 0 0\nv 2 1 4\nvt 0 1\nv 2 1 2\nvt 1 1\nv 0 1 2\nvt 1 0\nv 0 1 4\n"
    "vn 0 1 0\nvt 0 0\nv 0 3 4\nvt 0 1\nv 0 3 2\nvt 1 1\nv 2 3 2\nvt 1 0\nv 2 3 4\n"
    "f 1/1/1 2/2/1 3/3/1 4/4/1\n"
    "f 5/5/2 6/6/2 7/7/2 8/8/2\n"
    "f 9/9/3 10/10/3 11/11/3 12/12/3\n"
    "f 13/13/4 14/14/4 15/15/4 16/16/4\n"
    "f 17/17/5 18/18/5 19/19/5 20/20/5\n"
    "f 21/21/6 22/22/6 23/23/6 24/24/6\n";

std::string Material(const std::string& name, const std::string& kd, const std::string& texture) {
  return "newmtl " + name + "\nNs 96.078431\nKa 0.200000 0.200000 0.200000\nKd " + kd +
         "\nKs 0.000000 0.000000 0.000000\nKe 0.000000 0.000000 0.000000\nNi 1.000000\nd 1.000000\nillum 2\n"
         "map_Kd textures/" + texture + "\n\n";
}

class SceneExportTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    folder = MakeTempFolder("export");
    ClearTextureCache();
  }
  std::string folder;
};

TEST_F(SceneExportTest, SmallSceneMatchesTheHandWrittenFiles) {
  Add("box", kPanel, 1, 2, 3, 0x008000);
  Add("ghost", kCube, 0, 0, 0, 0xFFFFFF).invisible = 1;
  Add("odd", 7, 5, 5, 5, 0x0000FF).texture.assign("texture1.jpeg");
  const std::string obj = folder + "/scene.obj";
  const DocumentResult r = SaveDocument(scene, obj, "");
  ASSERT_TRUE(r.ok()) << r.reason;
  EXPECT_EQ(ReadAll(obj), std::string("mtllib scene.mtl\n") + kBoxAt123 + "o odd\nusemtl odd\ns off\n");
  EXPECT_EQ(ReadAll(folder + "/scene.mtl"),
            Material("box", "0 0.50196 0", "") + Material("odd", "1 0 0", "texture1.jpeg"));
  // Every program texture is copied beside the export, used or not.
  for (const char* t : {"texture1.jpeg", "texture2.jpg", "texture3.bmp", "texture4.bmp", "texture5.jpeg"})
    EXPECT_EQ(ReadAll(folder + "/textures/" + t), ReadAll(DataPath(std::string("Vist3D/TEX/") + t))) << t;
  EXPECT_FALSE(ExportActive());
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

// A document names its texture in Latin-1; the program's file carries the
// same name in UTF-8. Drawing finds it, and the export names and copies it.
TEST_F(SceneExportTest, AccentedTextureNamesReachTheUtf8Files) {
  const std::string utf8Name = "madeira_\xC3\xA7\xC3\xA3o_" + std::to_string(getpid()) + ".bmp";
  const std::string latinName = "madeira_\xE7\xE3o_" + std::to_string(getpid()) + ".bmp";
  const std::string source = DataPath("Vist3D/TEX/") + utf8Name;
  QImage picture(6, 4, QImage::Format_RGB888);
  picture.fill(Qt::yellow);
  ASSERT_TRUE(picture.save(QString::fromUtf8(source.c_str()), "BMP"));
  struct Remove {
    std::string path;
    ~Remove() { fs::remove(path); }
  } removeSource{source};

  ClearTextureCache();
  Add("m", kPanel, 0, 0, 0, 0xFFFFFF).texture.assign(latinName);
  const std::string obj = folder + "/wood.obj";
  ASSERT_TRUE(SaveDocument(scene, obj, "").ok());
  const TextureBitmap* image = TextureImage(source);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 6);
  EXPECT_EQ(TextureCacheCount(), 1);  // the drawing read this very file
  EXPECT_EQ(ReadAll(folder + "/wood.mtl"), Material("m", "1 1 1", utf8Name));
  EXPECT_EQ(ReadAll(folder + "/textures/" + utf8Name), ReadAll(source));
  ClearTextureCache();
}

TEST_F(SceneExportTest, EmptyDocumentGivesTheLibraryLineOnly) {
  const std::string obj = folder + "/empty.obj";
  ASSERT_TRUE(SaveDocument(scene, obj, "").ok());
  EXPECT_EQ(ReadAll(obj), "mtllib empty.mtl\n");
  EXPECT_EQ(ReadAll(folder + "/empty.mtl"), "");
  EXPECT_TRUE(fs::exists(folder + "/textures/texture3.bmp"));
}

TEST_F(SceneExportTest, ExportingAgainReplacesTheFilesAndKeepsForeignTextures) {
  Add("a", kPanel, 0, 0, 0, 0x0000FF);
  Add("a", kPanel, 4, 0, 0, 0x00FF00);  // same name: two blocks of it
  const std::string obj = folder + "/twice.obj";
  fs::create_directories(folder + "/textures");
  std::ofstream(folder + "/textures/mine.png") << "keep me";
  std::ofstream(folder + "/textures/texture2.jpg") << "stale";
  std::ofstream(obj) << std::string(100000, 'x');
  ASSERT_TRUE(SaveDocument(scene, obj, "").ok());
  const std::string text = ReadAll(obj);
  EXPECT_EQ(text.find('x'), std::string::npos);
  EXPECT_EQ(text.rfind("mtllib twice.mtl\n", 0), 0u);
  const std::string mtl = ReadAll(folder + "/twice.mtl");
  EXPECT_NE(mtl.find("newmtl a\n"), mtl.rfind("newmtl a\n"));
  EXPECT_EQ(ReadAll(folder + "/textures/mine.png"), "keep me");
  EXPECT_EQ(ReadAll(folder + "/textures/texture2.jpg"), ReadAll(DataPath("Vist3D/TEX/texture2.jpg")));
}

TEST_F(SceneExportTest, UnwritableTargetIsReportedAndLeavesNoRecording) {
  Add("a", kPanel, 0, 0, 0, 0x0000FF);
  const DocumentResult r = SaveDocument(scene, folder + "/missing/folder/x.obj", "");
  EXPECT_FALSE(r.ok());
  EXPECT_FALSE(r.reason.empty());
  EXPECT_FALSE(ExportActive());
  EXPECT_FALSE(fs::exists(folder + "/missing"));  // no texture folder for a failed export
  // A directory where the OBJ should go cannot be replaced either.
  fs::create_directories(folder + "/dir.obj/inside");
  EXPECT_FALSE(SaveDocument(scene, folder + "/dir.obj", "").ok());
}

TEST_F(SceneExportTest, TurnedElementsExportTheShapeThatIsDrawn) {
  Element3D& e = Add("turned", kPanel, 1, -2, 0.5, 0x0000FF);
  e.dx = 3;
  e.dy = 1;
  e.dz = 2;
  e.axy = 30;
  e.axz = -70;
  e.ayz = 50;
  const std::string obj = folder + "/turned.obj";
  ASSERT_TRUE(SaveDocument(scene, obj, "").ok());
  // The drawing's own matrix: translate * Rz * Ry * Rx.
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslated(1, -2, 0.5);
  glRotated(30, 0, 0, 1);
  glRotated(-70, 0, 1, 0);
  glRotated(50, 1, 0, 0);
  double m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  glPopMatrix();
  std::istringstream in(ReadAll(obj));
  int checked = 0;
  const double corners[4][3] = {{-1.5, -0.5, 1}, {-1.5, 0.5, 1}, {1.5, 0.5, 1}, {1.5, -0.5, 1}};  // front face
  for (std::string line; std::getline(in, line) && checked < 4;) {
    if (line.rfind("v ", 0) != 0) continue;
    std::istringstream l(line.substr(2));
    double p[3];
    l >> p[0] >> p[1] >> p[2];
    const double* c = corners[checked];
    for (int i = 0; i < 3; ++i)
      EXPECT_NEAR(p[i], m[i] * c[0] + m[4 + i] * c[1] + m[8 + i] * c[2] + m[12 + i], 2e-6) << line;
    ++checked;
  }
  EXPECT_EQ(checked, 4);
}

TEST_F(SceneExportTest, AnIndependentReaderLoadsTheExport) {
  Add("cube", kCube, 0, 1, 0, 0x3366CC).chamfer = 0.25;
  Element3D& c = Add("cylinder", kCylinder, 4, 1, 0, 0x00FF00);
  c.chamfer = 0.2;
  c.texture.assign("texture2.jpg");
  Add("sphere", kSphere, -4, 1, 0, 0xFF0000).axz = 45;
  const std::string obj = folder + "/read.obj";
  ASSERT_TRUE(SaveDocument(scene, obj, "").ok());

  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string warning, error;
  ASSERT_TRUE(tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, obj.c_str(), folder.c_str(), false))
      << error;
  EXPECT_TRUE(error.empty()) << error;
  ASSERT_EQ(shapes.size(), 3u);
  EXPECT_EQ(shapes[0].name, "cube");
  EXPECT_EQ(shapes[2].name, "sphere");
  // Bevelled cube 26 faces; cylinder 3 * 14 quads and 2 * 28 triangles;
  // sphere 2 * 28 triangles and 27 * 28 quads.
  EXPECT_EQ(shapes[0].mesh.num_face_vertices.size(), 26u);
  EXPECT_EQ(shapes[1].mesh.num_face_vertices.size(), 3u * 14 + 2 * 28);
  EXPECT_EQ(shapes[2].mesh.num_face_vertices.size(), 2u * 28 + 27 * 28);
  EXPECT_EQ(attrib.vertices.size() / 3, 96u + 150 + (30 + 27 * 58 + 30));
  ASSERT_EQ(materials.size(), 3u);
  EXPECT_NEAR(materials[0].diffuse[0], 0xCC / 255.0, 1e-6);
  EXPECT_NEAR(materials[0].diffuse[2], 0x33 / 255.0, 1e-6);
  EXPECT_EQ(materials[1].diffuse_texname, "textures/texture2.jpg");
  // Every index a face uses exists.
  for (const auto& shape : shapes)
    for (const auto& index : shape.mesh.indices) {
      EXPECT_LT(static_cast<size_t>(index.vertex_index), attrib.vertices.size() / 3);
      EXPECT_LT(static_cast<size_t>(index.normal_index), attrib.normals.size() / 3);
    }
}
}  // namespace

TEST_F(SceneExportTest, LargeExportIsWrittenWholeAsItGrows) {
  // Enough spheres for the text to pass to its file several times over.
  const int count = 120;
  for (int i = 0; i < count; ++i) Add(("ball" + std::to_string(i)).c_str(), kSphere, i % 10, 1, i / 10, 0x0000FF);
  const std::string obj = folder + "/big.obj";
  ASSERT_TRUE(SaveDocument(scene, obj, "").ok());
  const std::string text = ReadAll(obj);
  ASSERT_GT(text.size(), 8u << 20);
  EXPECT_EQ(text.rfind("mtllib big.mtl\n", 0), 0u);
  size_t objects = 0;
  for (size_t at = text.find("\no "); at != std::string::npos; at = text.find("\no ", at + 1)) ++objects;
  EXPECT_EQ(objects, static_cast<size_t>(count));
  EXPECT_NE(text.find("\no ball119\n"), std::string::npos);
  EXPECT_EQ(text.back(), '\n');
  // The last face refers to the last vertex written.
  size_t vertices = 0;
  for (size_t at = text.find("\nv "); at != std::string::npos; at = text.find("\nv ", at + 1)) ++vertices;
  EXPECT_NE(text.find(std::to_string(vertices) + "/", text.rfind("\nf ")), std::string::npos);
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}
