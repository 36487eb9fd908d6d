// The batch tool's OBJ export records the frame without drawing it: the
// files keep every byte they had when the frame was drawn, and no GL driver
// is needed for them; a picture still needs one and says so.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/export/CliFixture.h"
#include "tests/export/MixedDocument.h"

namespace {
namespace fs = std::filesystem;

// No EGL vendor and no Mesa driver for the process: OpenGL cannot start.
constexpr char kNoGLDriver[] = "__EGL_VENDOR_LIBRARY_FILENAMES=/dev/null LIBGL_DRIVERS_PATH=/nonexistent ";

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

class RecordOnlyExportTest : public CliFixture {
 protected:
  CliRun Cli(const std::string& environment, const std::string& arguments) const {
    return Run(arguments, environment);
  }
};

// The hashes are those of the files this document gave when the export drew
// its frame through OpenGL (4.58 M vertices, 445 MB of OBJ text): labels,
// ruler, hidden elements, turns and textures all land exactly as they did.
TEST_F(RecordOnlyExportTest, TenThousandMixedElementsGiveTheSameBytesAsADrawnFrame) {
  ASSERT_TRUE(WriteMixedDocument(Out("mixed.zobj3d"), 10000));
  const CliRun run = Cli("", "export " + Out("mixed.zobj3d") + " " + Out("mixed.obj"));
  ASSERT_EQ(run.status, 0) << run.stderrText;
  EXPECT_EQ(FileHash(Out("mixed.obj")), 0x48f4840e32df89b1ull);
  EXPECT_EQ(FileHash(Out("mixed.mtl")), 0x6c9f8a7ffc03220bull);
  for (const char* texture : {"texture1.jpeg", "texture2.jpg", "texture3.bmp"})
    EXPECT_TRUE(fs::exists(folder / "textures" / texture)) << texture;
}

TEST_F(RecordOnlyExportTest, MeshExportsNeedNoGLDriverButAPictureSaysItNeedsOne) {
  fs::create_directories(folder / "withgl");
  ASSERT_EQ(Cli("", "export " + sample + " " + Out("withgl/s.obj")).status, 0);

  const CliRun obj = Cli(kNoGLDriver, "export " + sample + " " + Out("s.obj"));
  ASSERT_EQ(obj.status, 0) << obj.stderrText;
  EXPECT_EQ(obj.stderrText, "");
  EXPECT_EQ(ReadFileBytes(Out("s.obj")), ReadFileBytes(Out("withgl/s.obj")));
  EXPECT_EQ(ReadFileBytes(Out("s.mtl")), ReadFileBytes(Out("withgl/s.mtl")));
  EXPECT_TRUE(fs::exists(Out("textures/texture3.bmp")));

  for (const char* mesh : {"s.stl", "s.glb"}) {
    const CliRun run = Cli(kNoGLDriver, "export " + sample + " " + Out(mesh));
    EXPECT_EQ(run.status, 0) << mesh << ": " << run.stderrText;
    EXPECT_GT(fs::file_size(Out(mesh)), 1000u) << mesh;
  }

  // The environment really does keep OpenGL from starting.
  const CliRun picture = Cli(kNoGLDriver, "export " + sample + " " + Out("p.jpeg"));
  EXPECT_EQ(picture.status, 2);
  EXPECT_NE(picture.stderrText.find("p.jpeg: a picture needs OpenGL"), std::string::npos) << picture.stderrText;
  EXPECT_FALSE(fs::exists(Out("p.jpeg")));
}
}  // namespace
