// The batch tool's OBJ export records the frame without drawing it: the
// files keep every byte they had when the frame was drawn.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "tests/export/CliFixture.h"
#include "tests/export/MixedDocument.h"

namespace {
namespace fs = std::filesystem;

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

using RecordOnlyExportTest = CliFixture;

// The hashes are those of the files this document gave when the export drew
// its frame through OpenGL (4.58 M vertices, 445 MB of OBJ text): labels,
// ruler, hidden elements, turns and textures all land exactly as they did.
TEST_F(RecordOnlyExportTest, TenThousandMixedElementsGiveTheSameBytesAsADrawnFrame) {
  ASSERT_TRUE(WriteMixedDocument(Out("mixed.zobj3d"), 10000));
  const CliRun run = Run("export " + Out("mixed.zobj3d") + " " + Out("mixed.obj"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(FileHash(Out("mixed.obj")), 0x48f4840e32df89b1ull);
  EXPECT_EQ(FileHash(Out("mixed.mtl")), 0x6c9f8a7ffc03220bull);
  for (const char* texture : {"texture1.jpeg", "texture2.jpg", "texture3.bmp"})
    EXPECT_TRUE(fs::exists(folder / "textures" / texture)) << texture;
}

}  // namespace
