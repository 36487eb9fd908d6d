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

// Scripts write their paths in Latin-1; the files on disk carry UTF-8 names.
TEST_F(ScriptFiles, AccentedLatinPathsNameTheUtf8Files) {
  const std::string budget = Make("or\xC3\xA7" "amento.txt", "B");  // orçamento.txt
  const std::string latinRoot = root_.string() + "/";
  EXPECT_EQ(Call("zemoscriptFILEEXISTS", latinRoot + "or\xE7" "amento.txt"), 1.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", latinRoot + "or\xE7" "amento.txt", latinRoot + "relat\xF3rio.txt"), 1.0);
  EXPECT_EQ(Read(PathOf("relat\xC3\xB3rio.txt")), "B");
  EXPECT_FALSE(fs::exists(PathOf("relat\xF3rio.txt")));
  EXPECT_EQ(Call("zemoscriptFILERENAME", latinRoot + "relat\xF3rio.txt", latinRoot + "s\xE9rie.txt"), 1.0);
  EXPECT_EQ(Read(PathOf("s\xC3\xA9rie.txt")), "B");
  EXPECT_FALSE(fs::exists(PathOf("relat\xC3\xB3rio.txt")));
  TextVar kill(latinRoot + "s\xE9rie.txt");
  Fn<void(ScriptText*)>("zemoscriptprocKILL")(kill);
  EXPECT_FALSE(fs::exists(PathOf("s\xC3\xA9rie.txt")));
  EXPECT_TRUE(fs::exists(budget));
}

TEST_F(ScriptFiles, SearchSeesNamesAsLatinText) {
  fs::create_directories(PathOf("pr\xC3\xA9" "dio"));  // prédio/
  std::ofstream(PathOf("pr\xC3\xA9" "dio/CAF\xC3\x89.txt")) << "x";  // CAFÉ.txt
  std::ofstream(PathOf("pr\xC3\xA9" "dio/\xE6\x9C\xA8.txt")) << "x";  // a character Latin-1 lacks
  auto findNext = Fn<NumFn0>("zemoscriptFINDNEXT");
  const std::string folder = root_.string() + "/pr\xE9" "dio/";
  // Accented capitals match their small letters, as plain ones do.
  EXPECT_EQ(Call("zemoscriptFINDFIRST", folder + "caf\xE9.*"), 0.0);
  EXPECT_NE(findNext(), 0.0);
  // The name Latin-1 cannot hold reads as one '?' for its character.
  EXPECT_EQ(Call("zemoscriptFINDFIRST", folder + "?.txt"), 0.0);
  EXPECT_NE(findNext(), 0.0);
  EXPECT_NE(Call("zemoscriptFINDFIRST", folder + "???.txt"), 0.0);
  EXPECT_EQ(Call("zemoscriptFINDFIRST", folder + "*.TXT"), 0.0);
  EXPECT_EQ(findNext(), 0.0);
  EXPECT_NE(findNext(), 0.0);
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
