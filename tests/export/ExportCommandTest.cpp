// The batch tool's export and thumbnail commands on the bundled sample, run
// as a separate process: every format it writes, read back.
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <QImage>
#include <cstdint>
#include <cstring>
#include <set>
#include <sstream>

#include "tests/export/CliFixture.h"

namespace {
namespace fs = std::filesystem;

using ExportCommandTest = CliFixture;

// No EGL vendor and no Mesa driver for the process: OpenGL cannot start.
constexpr char kNoGLDriver[] = "env __EGL_VENDOR_LIBRARY_FILENAMES=/dev/null LIBGL_DRIVERS_PATH=/nonexistent ";

// Meshes need no GL driver and come out as they do with one; pictures do.
TEST_F(ExportCommandTest, EveryFormatOfTheSampleReadsBack) {
  const struct {
    std::string arguments;
    bool needsGL;
  } runs[] = {{"export " + sample + " " + Out("withgl/s.obj"), true},
              {"export " + sample + " " + Out("s.obj"), false},
              {"export " + sample + " " + Out("s.glb"), false},
              {"export " + sample + " " + Out("s.stl"), false},
              {"export " + sample + " " + Out("copy.zobj3d"), false},
              {"export " + sample + " " + Out("p.jpeg") + " --width 320 --height 200 --view 1", true},
              {"export " + sample + " " + Out("d.jpeg"), true},
              {"thumbnail " + sample + " " + Out("t.png"), true},
              {"thumbnail " + sample + " " + Out("small.png") + " --size 64", true}};
  fs::create_directories(folder / "withgl");
  for (const auto& run : runs) {
    const CliRun r = Run(run.arguments, run.needsGL ? "" : kNoGLDriver);
    ASSERT_EQ(r.status, 0) << run.arguments << "\n" << r.err;
    if (!run.needsGL) {
      EXPECT_EQ(r.err, "") << run.arguments;
    }
  }
  // The environment really does keep OpenGL from starting.
  const CliRun picture = Run("export " + sample + " " + Out("x.jpeg"), kNoGLDriver);
  EXPECT_EQ(picture.status, 2);
  EXPECT_NE(picture.err.find("x.jpeg: a picture needs OpenGL"), std::string::npos) << picture.err;
  // Nothing else is left in the folder: no temporary files.
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"withgl", "s.obj", "s.mtl", "textures", "s.glb", "s.stl", "copy.zobj3d",
                                          "p.jpeg", "d.jpeg", "t.png", "small.png"}));

  EXPECT_EQ(ReadFileBytes(Out("s.obj")), ReadFileBytes(Out("withgl/s.obj")));
  EXPECT_EQ(ReadFileBytes(Out("s.mtl")), ReadFileBytes(Out("withgl/s.mtl")));
  std::istringstream obj(ReadFileBytes(Out("s.obj")));
  std::string line;
  std::getline(obj, line);
  EXPECT_EQ(line, "mtllib s.mtl");
  size_t objects = 0;
  while (std::getline(obj, line)) objects += line.rfind("o ", 0) == 0;
  EXPECT_GT(objects, 0u);
  EXPECT_GT(fs::file_size(Out("s.mtl")), 100u);
  EXPECT_TRUE(fs::exists(Out("textures/texture3.bmp")));

  // A glTF binary with as many nodes as the OBJ has objects.
  tinygltf::TinyGLTF loader;
  tinygltf::Model model;
  std::string error, warning;
  ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, Out("s.glb"))) << error;
  EXPECT_EQ(model.nodes.size(), objects);

  const std::string stl = ReadFileBytes(Out("s.stl"));
  ASSERT_GE(stl.size(), 84u);
  uint32_t triangles = 0;
  std::memcpy(&triangles, stl.data() + 80, 4);
  EXPECT_GT(triangles, 50u);
  EXPECT_EQ(stl.size(), 84 + 50ull * triangles);

  EXPECT_EQ(ReadFileBytes(Out("copy.zobj3d")), ReadFileBytes(sample));

  const auto size = [&](const char* name) { return QImage(QString::fromStdString(Out(name))).size(); };
  EXPECT_EQ(size("p.jpeg"), QSize(320, 200));
  EXPECT_EQ(size("d.jpeg"), QSize(1024, 768));
  EXPECT_EQ(size("t.png"), QSize(256, 256));
  EXPECT_EQ(size("small.png"), QSize(64, 64));
  // The thumbnail shows something: many colours, not a blank background.
  const QImage thumbnail(QString::fromStdString(Out("t.png")));
  std::set<QRgb> colours;
  for (int y = 0; y < thumbnail.height(); y += 4)
    for (int x = 0; x < thumbnail.width(); x += 4) colours.insert(thumbnail.pixel(x, y));
  EXPECT_GT(colours.size(), 10u);
}
}  // namespace
