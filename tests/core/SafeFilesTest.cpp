#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "TestFolder.h"
#include "common/SafeFiles.h"

namespace {
namespace fs = std::filesystem;

size_t Entries(const TestFolder& dir) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
}
}  // namespace

TEST(SafeFiles, AReplacementIsInvisibleUntilCommittedAndGoneWhenDropped) {
  TestFolder dir;
  dir.write("doc", "old");
  ::chmod(dir.file("doc").c_str(), 0640);
  {
    ReplacementFile file(dir.file("doc"));
    ASSERT_TRUE(file.ok()) << file.Error();
    ASSERT_TRUE(file.Write("new text"));
    EXPECT_EQ(dir.read("doc"), "old");
    EXPECT_EQ(Entries(dir), 2u);
  }
  EXPECT_EQ(dir.read("doc"), "old");
  EXPECT_EQ(Entries(dir), 1u);

  ReplacementFile file(dir.file("doc"));
  ASSERT_TRUE(file.Write("discarded") && file.Restart() && file.Write("new"));
  ASSERT_TRUE(file.Commit()) << file.Error();
  EXPECT_EQ(dir.read("doc"), "new");
  EXPECT_EQ(fs::status(dir.file("doc")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Entries(dir), 1u);
}

TEST(SafeFiles, FilesCommittedTogetherAllChangeOrNoneDoes) {
  TestFolder dir;
  dir.write("a.obj", "old a");
  dir.write("b.mtl", "old b");
  {
    ReplacementFile a(dir.file("a.obj")), b(dir.file("b.mtl"));
    ASSERT_TRUE(a.Write("new a") && b.Write("new b"));
    // Something else takes the second name after the check.
    fs::remove(dir.file("b.mtl"));
    fs::create_directories(dir.file("b.mtl/inside"));
    std::string error;
    EXPECT_FALSE(CommitTogether({&a, &b}, error));
    EXPECT_NE(error.find("b.mtl"), std::string::npos) << error;
    EXPECT_EQ(dir.read("a.obj"), "old a");
  }
  EXPECT_EQ(Entries(dir), 2u) << "temporary files left behind";

  // A first file that did not exist before is taken away again.
  {
    ReplacementFile a(dir.file("fresh.obj")), b(dir.file("b.mtl/inside/x"));
    ASSERT_TRUE(a.Write("new") && b.Write("new"));
    fs::remove_all(dir.file("b.mtl"));
    fs::create_directories(dir.file("b.mtl/inside/x/y"));
    std::string error;
    EXPECT_FALSE(CommitTogether({&a, &b}, error));
    EXPECT_FALSE(fs::exists(dir.file("fresh.obj")));
  }

  ReplacementFile a(dir.file("a.obj")), c(dir.file("c.mtl"));
  ASSERT_TRUE(a.Write("new a") && c.Write("new c"));
  std::string error;
  ASSERT_TRUE(CommitTogether({&a, &c}, error)) << error;
  EXPECT_EQ(dir.read("a.obj"), "new a");
  EXPECT_EQ(dir.read("c.mtl"), "new c");
  EXPECT_EQ(Entries(dir), 3u);
}
