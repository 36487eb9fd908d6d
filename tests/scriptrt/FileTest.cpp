#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ScriptLibrary.h"

namespace fs = std::filesystem;

namespace {
class ScriptFiles : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(testing::TempDir()) / ("zemo_files_" + std::to_string(getpid()));
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string PathOf(const char* name) { return (root_ / name).string(); }
  std::string Make(const char* name, const char* content = "x") {
    std::ofstream(PathOf(name)) << content;
    return PathOf(name);
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static double Call(const char* function, const std::string& a) {
    TextVar t(a);
    return Fn<TextNumFn>(function)(t);
  }
  static double Call(const char* function, const std::string& a, const std::string& b) {
    TextVar ta(a), tb(b);
    return Fn<double(ScriptText*, ScriptText*)>(function)(ta, tb);
  }
  fs::path root_;
};

TEST_F(ScriptFiles, ExistsIsForFilesOnly) {
  EXPECT_EQ(Call("zemoscriptFILEEXISTS", Make("a.txt")), 1.0);
  EXPECT_EQ(Call("zemoscriptFILEEXISTS", PathOf("missing.txt")), 0.0);
  EXPECT_EQ(Call("zemoscriptFILEEXISTS", root_.string()), 0.0);
}

TEST_F(ScriptFiles, SearchVisitsEveryMatchOnce) {
  Make("one.TXT");
  Make("two.txt");
  Make("three.dat");
  auto findNext = Fn<NumFn0>("zemoscriptFINDNEXT");
  EXPECT_EQ(Call("zemoscriptFINDFIRST", PathOf("*.txt")), 0.0);
  EXPECT_EQ(findNext(), 0.0);  // two matches, case ignored
  EXPECT_NE(findNext(), 0.0);
  EXPECT_EQ(Call("zemoscriptFINDFIRST", PathOf("*.*")), 0.0);
  EXPECT_EQ(findNext() + findNext(), 0.0);
  EXPECT_NE(findNext(), 0.0);
  EXPECT_NE(Call("zemoscriptFINDFIRST", PathOf("*.png")), 0.0);
  EXPECT_NE(Call("zemoscriptFINDFIRST", PathOf("nofolder/*")), 0.0);
}

TEST_F(ScriptFiles, RenameNeverReplacesCopyDoes) {
  const std::string a = Make("a.txt", "A"), b = Make("b.txt", "B");
  EXPECT_EQ(Call("zemoscriptFILERENAME", a, b), 0.0);
  EXPECT_EQ(Read(b), "B");
  EXPECT_EQ(Call("zemoscriptFILERENAME", a, PathOf("c.txt")), 1.0);
  EXPECT_EQ(Read(PathOf("c.txt")), "A");
  EXPECT_FALSE(fs::exists(a));
  EXPECT_EQ(Call("zemoscriptFILECOPY", PathOf("c.txt"), b), 1.0);
  EXPECT_EQ(Read(b), "A");
  EXPECT_EQ(Call("zemoscriptFILECOPY", PathOf("missing"), b), 0.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", b, PathOf("no/such/folder.txt")), 0.0);
}

TEST_F(ScriptFiles, KillWithoutApplicationFolderDeletesFilesOnly) {
  const std::string a = Make("a.txt");
  TextVar name(a), folder(root_.string());
  Fn<void(ScriptText*)>("zemoscriptprocKILL")(name);
  Fn<void(ScriptText*)>("zemoscriptprocKILL")(folder);
  EXPECT_FALSE(fs::exists(a));
  EXPECT_TRUE(fs::exists(root_));
}
}  // namespace
