// What the OBJ export writes: the exact text, the texture copies, the
// shape as drawn.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "common/DataPath.h"
#include "export/ObjExport.h"
#include "gl/DrawWrappers.h"
#include "tests/export/ExportFixture.h"

namespace {
namespace fs = std::filesystem;

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
         "map_Kd textures/" +
         texture + "\n\n";
}

using SceneExportTest = ExportFixture;

// Over an older, longer export: the files are replaced whole, the program's
// textures refreshed, the user's own files in the texture folder kept.
TEST_F(SceneExportTest, SmallSceneMatchesTheHandWrittenFiles) {
  Add("box", kPanel, 1, 2, 3, 0x008000);
  Add("ghost", kCube, 0, 0, 0, 0xFFFFFF).invisible = 1;
  Add("odd", 7, 5, 5, 5, 0x0000FF).texture.assign("texture1.jpeg");
  fs::create_directories(Path("textures"));
  WriteAll(Path("textures/mine.png"), "keep me");
  WriteAll(Path("textures/texture2.jpg"), "stale");
  WriteAll(Path("scene.obj"), std::string(100000, 'x'));
  WriteAll(Path("scene.mtl"), std::string(100000, 'x'));
  Save("scene.obj");
  EXPECT_EQ(ReadAll(Path("scene.obj")), std::string("mtllib scene.mtl\n") + kBoxAt123 + "o odd\nusemtl odd\ns off\n");
  EXPECT_EQ(ReadAll(Path("scene.mtl")), Material("box", "0 0.50196 0", "") + Material("odd", "1 0 0", "texture1.jpeg"));
  for (const char* t : {"texture1.jpeg", "texture2.jpg", "texture3.bmp", "texture4.bmp", "texture5.jpeg"})
    EXPECT_EQ(ReadAll(Path("textures/") + t), ReadAll(DataPath(std::string("Vist3D/TEX/") + t))) << t;
  EXPECT_EQ(ReadAll(Path("textures/mine.png")), "keep me");
  EXPECT_TRUE(DrawingToGL());
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

// A document names its texture in Latin-1; the program's file carries the
// same name in UTF-8. Drawing finds it, and the export names and copies it.
TEST_F(SceneExportTest, AccentedTextureNamesReachTheUtf8Files) {
  const std::string utf8Name = "madeira_\xC3\xA7\xC3\xA3o_" + std::to_string(getpid()) + ".bmp";
  const std::string source = DataPath("Vist3D/TEX/") + utf8Name;
  QImage picture(6, 4, QImage::Format_RGB888);
  picture.fill(Qt::yellow);
  ASSERT_TRUE(picture.save(QString::fromUtf8(source.c_str()), "BMP"));
  struct Remove {
    std::string path;
    ~Remove() { fs::remove(path); }
  } removeSource{source};

  Add("m", kPanel, 0, 0, 0, 0xFFFFFF).texture.assign("madeira_\xE7\xE3o_" + std::to_string(getpid()) + ".bmp");
  Save("wood.obj");
  ASSERT_NE(TextureImage(source), nullptr);
  EXPECT_EQ(TextureCacheCount(), 1);  // the drawing read this very file
  EXPECT_EQ(ReadAll(Path("wood.mtl")), Material("m", "1 1 1", utf8Name));
  EXPECT_EQ(ReadAll(Path("textures/") + utf8Name), ReadAll(source));
  ClearTextureCache();
}

TEST_F(SceneExportTest, TurnedElementsExportTheShapeThatIsDrawn) {
  Element3D& e = Add("turned", kPanel, 1, -2, 0.5, 0x0000FF);
  e.dx = 3, e.dy = 1, e.dz = 2;
  e.axy = 30, e.axz = -70, e.ayz = 50;
  std::istringstream in(ReadAll(Save("turned.obj")));
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
  int checked = 0;
  const double corners[4][3] = {{-1.5, -0.5, 1}, {-1.5, 0.5, 1}, {1.5, 0.5, 1}, {1.5, -0.5, 1}};  // front face
  for (std::string line; std::getline(in, line) && checked < 4;) {
    if (line.rfind("v ", 0) != 0) continue;
    double p[3];
    std::istringstream(line.substr(2)) >> p[0] >> p[1] >> p[2];
    const double* c = corners[checked++];
    for (int i = 0; i < 3; ++i)
      EXPECT_NEAR(p[i], m[i] * c[0] + m[4 + i] * c[1] + m[8 + i] * c[2] + m[12 + i], 2e-6) << line;
  }
  EXPECT_EQ(checked, 4);
}
}  // namespace

namespace {
// Lines of `text` that begin with `prefix`, without it.
std::vector<std::string> Named(const std::string& text, const std::string& prefix) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0) out.push_back(line.substr(prefix.size()));
  return out;
}
}  // namespace

// Elements that share a name, or have none, each get an object and a material of their own, so
// every object shows its own colour; names given once stay exactly as they are.
TEST_F(SceneExportTest, EveryObjectHasAMaterialOfItsOwnWithItsColour) {
  Add("twin", kCube, 0, 0, 0, 0x0000FF);
  Add("twin", kCube, 3, 0, 0, 0x00FF00);
  Add("twin_2", kCube, 6, 0, 0, 0xFF0000);
  Add("", kCube, 9, 0, 0, 0x000080);
  Add("", kCube, 12, 0, 0, 0x008000);
  Add("single", kCube, 15, 0, 0, 0x800000);
  Save("names.obj");
  const std::string obj = ReadAll(Path("names.obj")), mtl = ReadAll(Path("names.mtl"));
  const std::vector<std::string> objects = Named(obj, "o "), used = Named(obj, "usemtl "), made = Named(mtl, "newmtl ");
  EXPECT_EQ(objects, used);
  EXPECT_EQ(made, used);
  ASSERT_EQ(objects.size(), 6u);
  EXPECT_EQ(objects[0], "twin");
  EXPECT_EQ(objects[5], "single");
  EXPECT_EQ(std::set<std::string>(objects.begin(), objects.end()).size(), 6u) << obj;
  for (const std::string& name : objects) EXPECT_FALSE(name.empty());
  // Each material carries its own element's colour.
  const std::vector<std::string> colours = Named(mtl, "Kd ");
  EXPECT_EQ(colours,
            (std::vector<std::string>{"1 0 0", "0 1 0", "0 0 1", "0.50196 0 0", "0 0.50196 0", "0 0 0.50196"}));
}

// A cylinder or cone of no height (or almost none, whose wall's slope overflows) has a flat ring
// for a wall: every normal the export writes is a finite number.
TEST_F(SceneExportTest, FlatCylindersAndConesWriteFiniteNormals) {
  for (double height : {0.0, 1e-300}) {
    for (double top : {100.0, 0.0, 300.0}) {
      for (double chamfer : {0.0, 0.07}) {
        Element3D& e = Add("round", kCylinder);
        e.dy = height;
        e.topPercent = top;
        e.chamfer = chamfer;
      }
    }
  }
  Save("flat.obj");
  const std::string obj = ReadAll(Path("flat.obj"));
  std::set<std::string> normals;
  for (const std::string& n : Named(obj, "vn ")) {
    std::string lower = n;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos) << n;
    normals.insert(n);
  }
  EXPECT_GT(normals.size(), 2u) << "the almost flat shapes are exported";
  for (const std::string& v : Named(obj, "v "))
    EXPECT_EQ(v.find_first_not_of("0123456789.-E "), std::string::npos) << v;
}

// The editor's own save: a picture or an export onto the file of the open document (by its name,
// as its material file, or through a link) is refused and the document kept.
TEST_F(SceneExportTest, AnExportOntoTheOpenDocumentIsRefused) {
  Add("box", kCube);
  WriteAll(Path("doc.mtl"), "the document");
  fs::create_symlink("doc.mtl", Path("link.stl"));
  for (const char* name : {"doc.obj", "link.stl", "doc.mtl"}) {
    const std::string target = Path(name);
    const Outcome r = SaveDocument(scene, target, Path("doc.mtl"));
    if (std::string(name) == "doc.mtl") {
      // Saving the document over itself is what Save does.
      EXPECT_TRUE(r.ok()) << r.reason;
      continue;
    }
    EXPECT_EQ(r.status, Outcome::Refused) << name;
    EXPECT_NE(r.reason.find("is the document itself"), std::string::npos) << r.reason;
    EXPECT_EQ(ReadAll(Path("doc.mtl")), "the document") << name;
    EXPECT_FALSE(fs::exists(Path("doc.obj")));
  }
}

// A texture copy that cannot be written fails the save by the copy's name,
// and the export itself and the other copies are written all the same.
TEST_F(SceneExportTest, ATextureThatCannotBeCopiedIsReportedByName) {
  Add("box", kCube);
  const std::string blocked = Path("textures/texture3.bmp");
  fs::create_directories(blocked);  // a folder where the copy would go
  const Outcome r = SaveDocument(scene, Path("scene.obj"), "");
  EXPECT_EQ(r.status, Outcome::Failed);
  ASSERT_EQ(r.failedFiles.size(), 1u) << r.reason;
  EXPECT_EQ(r.failedFiles[0].file, blocked);
  EXPECT_NE(r.failedFiles[0].reason.find("is a folder"), std::string::npos) << r.failedFiles[0].reason;
  EXPECT_EQ(r.reason, "1 texture copies failed; " + blocked + ": " + r.failedFiles[0].reason);
  EXPECT_NE(ReadAll(Path("scene.obj")).find("o box\n"), std::string::npos);
  EXPECT_EQ(ReadAll(Path("textures/texture1.jpeg")), ReadAll(DataPath("Vist3D/TEX/texture1.jpeg")));
}
