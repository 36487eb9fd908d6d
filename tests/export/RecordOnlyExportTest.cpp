// The batch tool's export and thumbnail commands, run as a separate process:
// every format of the bundled sample read back, and the OBJ export of a large
// document byte for byte. An OBJ records the frame without drawing it, so it
// keeps the bytes of a drawn frame and needs no GL driver; a picture needs one.
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <QImage>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "tests/export/CliFixture.h"
#include "tests/export/MixedDocument.h"

namespace {
namespace fs = std::filesystem;

using ExportCommandTest = CliFixture;
using RecordOnlyExportTest = CliFixture;

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
  EXPECT_EQ(Listing(folder), (std::set<std::string>{"withgl", "s.obj", "s.mtl", "textures", "s.glb", "s.stl",
                                                    "copy.zobj3d", "p.jpeg", "d.jpeg", "t.png", "small.png"}));

  const std::string obj = ReadFileBytes(Out("s.obj"));
  EXPECT_EQ(obj, ReadFileBytes(Out("withgl/s.obj")));
  EXPECT_EQ(ReadFileBytes(Out("s.mtl")), ReadFileBytes(Out("withgl/s.mtl")));
  EXPECT_EQ(obj.rfind("mtllib s.mtl\n", 0), 0u);
  size_t objects = 0;
  for (size_t at = obj.find("\no "); at != std::string::npos; at = obj.find("\no ", at + 1)) ++objects;
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

// FNV-1a of a whole file, read in blocks (the large export is hundreds of MB).
uint64_t FileHash(const fs::path& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  uint64_t h = 0xcbf29ce484222325ull;
  static unsigned char block[1 << 16];
  for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;)
    for (size_t k = 0; k < n; ++k) h = (h ^ block[k]) * 0x100000001b3ull;
  std::fclose(f);
  return h;
}

// The hashes are those of the files this document gave when the export drew
// its frame through OpenGL (4.58 M vertices, 445 MB of OBJ text): labels,
// ruler, hidden elements, turns and textures all land exactly as they did.
// Only the names of its 321 repeated labels differ from that export ("@Sala 6"
// a second time is "@Sala 6_2"), so that each has a material of its own.
TEST_F(RecordOnlyExportTest, TenThousandMixedElementsGiveTheSameBytesAsADrawnFrame) {
  ASSERT_TRUE(WriteMixedDocument(Out("mixed.zobj3d"), 10000));
  const CliRun run = Run("export " + Out("mixed.zobj3d") + " " + Out("mixed.obj"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(FileHash(Out("mixed.obj")), 0xb6a473a57f6b4221ull);
  EXPECT_EQ(FileHash(Out("mixed.mtl")), 0xbb99b509b68965c7ull);
  for (const char* texture : {"texture1.jpeg", "texture2.jpg", "texture3.bmp"})
    EXPECT_TRUE(fs::exists(folder / "textures" / texture)) << texture;
}
// The glTF file is written in two passes and the STL file through a writer
// thread; both keep the bytes they had when each was written whole from
// memory (the hashes of those files).
TEST_F(RecordOnlyExportTest, StreamedMeshFilesKeepTheirBytes) {
  ASSERT_TRUE(WriteMixedDocument(Out("mixed.zobj3d"), 1000));
  for (const auto& [name, hash] :
       {std::pair{"mixed.glb", 0xb1ab037c507f3db3ull}, {"mixed.stl", 0xb2f47de8c6001140ull}}) {
    const CliRun run = Run("export " + Out("mixed.zobj3d") + " " + Out(name));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FileHash(Out(name)), hash) << name;
  }
  EXPECT_EQ(Listing(folder), (std::set<std::string>{"mixed.zobj3d", "mixed.glb", "mixed.stl"}));
}
}  // namespace
