// The batch tool's mesh exports under a cap on the process's address space:
// STL goes to its file as it is drawn and fits where the glTF file, which
// holds its own bytes until the end, does not; running out is one line and
// status 2, and leaves nothing behind, in the output folder or in $TMPDIR.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/export/CliFixture.h"
#include "tests/export/MixedDocument.h"

namespace {
namespace fs = std::filesystem;

using MemoryLimitTest = CliFixture;

std::string Cap(long megabytes) { return "ulimit -v " + std::to_string(megabytes * 1024) + "; exec "; }

TEST_F(MemoryLimitTest, StlStreamsAndGlbRunsOutWithOneLine) {
  // The smallest of these caps under which the tool exports the small
  // sample at all: what the program itself takes on this machine.
  long base = 0;
  for (const long megabytes : {96, 128, 160, 192, 256, 384, 512})
    if (Run("export " + sample + " " + Out("probe.glb"), Cap(megabytes)).status == 0) {
      base = megabytes;
      break;
    }
  if (base == 0) GTEST_SKIP() << "the tool does not start under a cap (a sanitizer build reserves its shadow memory)";

  // 5,000 mixed elements: about 100 MB of STL and as much glTF.
  ASSERT_TRUE(WriteMixedDocument(Out("mixed.zobj3d"), 5000));
  // Qt keeps its runtime folder under $TMPDIR when it has none of its own.
  fs::create_directories(folder / "tmp");
  fs::create_directories(folder / "run");
  fs::permissions(folder / "run", fs::perms::owner_all);
  const std::string cap = "export TMPDIR=" + (folder / "tmp").string() + " XDG_RUNTIME_DIR=" +
                          (folder / "run").string() + "; " + Cap(base + 48);

  const CliRun stl = Run("export " + Out("mixed.zobj3d") + " " + Out("mixed.stl"), cap);
  ASSERT_EQ(stl.status, 0) << stl.err;
  const std::string bytes = ReadFileBytes(Out("mixed.stl"));
  uint32_t triangles = 0;
  ASSERT_GE(bytes.size(), 84u);
  std::memcpy(&triangles, bytes.data() + 80, 4);
  EXPECT_EQ(bytes.size(), 84 + 50ull * triangles);
  EXPECT_GT(bytes.size(), 64ull << 20);  // more than the cap leaves room for

  const CliRun glb = Run("export " + Out("mixed.zobj3d") + " " + Out("mixed.glb"), cap);
  EXPECT_EQ(glb.status, 2);
  EXPECT_EQ(glb.err, "objetos3d-cli: " + Out("mixed.glb") + ": not enough memory\n");

  EXPECT_EQ(Listing(folder), (std::set<std::string>{"probe.glb", "mixed.zobj3d", "mixed.stl", "tmp", "run"}));
  EXPECT_EQ(Listing(folder / "tmp"), std::set<std::string>{});
}
}  // namespace
