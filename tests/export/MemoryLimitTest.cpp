// The batch tool's mesh exports under a cap on the process's address space:
// STL and glTF both go to their files as they are drawn and fit in far less
// than the files' size, and leave nothing behind, in the output folder or
// in $TMPDIR.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/export/CliFixture.h"
#include "tests/export/MixedDocument.h"

namespace {
namespace fs = std::filesystem;

using MemoryLimitTest = CliFixture;

// One malloc arena: the tool's threads would each reserve one of 64 MB of
// address space or not, as their first allocations happen to meet, and the
// cap would pass or fail by chance.
std::string Cap(long megabytes) {
  return "export MALLOC_ARENA_MAX=1; ulimit -v " + std::to_string(megabytes * 1024) + "; exec ";
}

TEST_F(MemoryLimitTest, StlAndGlbStreamUnderACap) {
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
  const std::string cap = "export TMPDIR=" + (folder / "tmp").string() +
                          " XDG_RUNTIME_DIR=" + (folder / "run").string() + "; " + Cap(base + 48);

  const CliRun stl = Run("export " + Out("mixed.zobj3d") + " " + Out("mixed.stl"), cap);
  ASSERT_EQ(stl.status, 0) << stl.err;
  const std::string bytes = ReadFileBytes(Out("mixed.stl"));
  uint32_t triangles = 0;
  ASSERT_GE(bytes.size(), 84u);
  std::memcpy(&triangles, bytes.data() + 80, 4);
  EXPECT_EQ(bytes.size(), 84 + 50ull * triangles);
  EXPECT_GT(bytes.size(), 64ull << 20);  // more than the cap leaves room for

  const CliRun glb = Run("export " + Out("mixed.zobj3d") + " " + Out("mixed.glb"), cap);
  ASSERT_EQ(glb.status, 0) << glb.err;
  EXPECT_GT(std::filesystem::file_size(Out("mixed.glb")), 64ull << 20);

  EXPECT_EQ(Listing(folder),
            (std::set<std::string>{"probe.glb", "mixed.zobj3d", "mixed.stl", "mixed.glb", "tmp", "run"}));
  EXPECT_EQ(Listing(folder / "tmp"), std::set<std::string>{});
}
}  // namespace
