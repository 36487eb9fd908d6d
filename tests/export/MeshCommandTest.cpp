// The batch tool's glTF/STL export and its thumbnail command, run as a
// separate process on the bundled sample.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <tiny_gltf.h>

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "tests/export/CliFixture.h"

namespace {
namespace fs = std::filesystem;

class MeshCommandTest : public CliFixture {
 protected:
  int Cli(const std::string& arguments) {
    const CliRun run = Run(arguments);
    errors = run.stderrText;
    return run.status;
  }
  // The names in the folder, for spotting temporary files left behind.
  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
  }
  std::string errors;
};

TEST_F(MeshCommandTest, ExportWritesGlbAndStlOfTheSample) {
  ASSERT_EQ(Cli("export " + sample + " " + Out("s.glb")), 0) << errors;
  ASSERT_EQ(Cli("export " + sample + " " + Out("s.stl")), 0) << errors;
  ASSERT_EQ(Cli("export " + sample + " " + Out("s.obj")), 0) << errors;
  const std::string glb = ReadFileBytes(Out("s.glb"));
  ASSERT_GT(glb.size(), 20u);
  uint32_t header[5];
  std::memcpy(header, glb.data(), sizeof header);
  EXPECT_EQ(header[0], 0x46546C67u);  // "glTF"
  EXPECT_EQ(header[1], 2u);
  EXPECT_EQ(header[2], glb.size());
  EXPECT_EQ(header[4], 0x4E4F534Au);  // the JSON chunk first
  // As many nodes as the OBJ file has objects.
  std::ifstream obj(Out("s.obj"));
  int objects = 0;
  for (std::string line; std::getline(obj, line);) objects += line.rfind("o ", 0) == 0;
  tinygltf::TinyGLTF loader;
  tinygltf::Model model;
  std::string error, warning;
  ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, Out("s.glb"))) << error;
  EXPECT_GT(objects, 0);
  EXPECT_EQ(model.nodes.size(), static_cast<size_t>(objects));

  const std::string stl = ReadFileBytes(Out("s.stl"));
  ASSERT_GE(stl.size(), 84u);
  uint32_t triangles = 0;
  std::memcpy(&triangles, stl.data() + 80, 4);
  EXPECT_GT(triangles, 50u);
  EXPECT_EQ(stl.size(), 84 + 50ull * triangles);
  EXPECT_EQ(Listing(), (std::set<std::string>{"s.glb", "s.stl", "s.obj", "s.mtl", "textures"}));
}

TEST_F(MeshCommandTest, ThumbnailIsASquarePictureOfTheDocument) {
  ASSERT_EQ(Cli("thumbnail " + sample + " " + Out("t.png")), 0) << errors;
  const QImage picture(QString::fromStdString(Out("t.png")));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(256, 256));
  ASSERT_EQ(Cli("thumbnail " + sample + " " + Out("small.png") + " --size 64"), 0) << errors;
  const QImage small(QString::fromStdString(Out("small.png")));
  EXPECT_EQ(small.size(), QSize(64, 64));
  // Something is drawn on the background: more than one colour, and the
  // corner (background) differs from the middle.
  std::set<QRgb> colours;
  for (int y = 0; y < picture.height(); y += 4)
    for (int x = 0; x < picture.width(); x += 4) colours.insert(picture.pixel(x, y));
  EXPECT_GT(colours.size(), 10u);
  EXPECT_EQ(Listing(), (std::set<std::string>{"t.png", "small.png"}));
}

TEST_F(MeshCommandTest, ThumbnailFailuresKeepTheOldPicture) {
  std::ofstream(Out("old.png")) << "old picture";
  for (const std::string& bad : {std::string("--size 0"), std::string("--size 5000"), std::string("--size x"),
                                 std::string("--size"), std::string("extra")}) {
    EXPECT_EQ(Cli("thumbnail " + sample + " " + Out("old.png") + " " + bad), 2) << bad;
    EXPECT_NE(errors.find("usage"), std::string::npos) << bad;
  }
  EXPECT_EQ(Cli("thumbnail " + Out("missing.zobj3d") + " " + Out("old.png")), 2);
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_EQ(Cli("thumbnail " + sample + " " + Out("no/folder/t.png")), 2);
  EXPECT_EQ(ReadFileBytes(Out("old.png")), "old picture");
  EXPECT_EQ(Listing(), std::set<std::string>{"old.png"});
}
}  // namespace
