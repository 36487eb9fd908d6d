#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ScriptLibrary.h"

namespace fs = std::filesystem;

namespace {
// Scripts write their paths in Latin-1; the files on disk carry UTF-8 names.
class ScriptFiles : public testing::Test {
 protected:
  void SetUp() override { fs::create_directories(root_); }
  void TearDown() override {
    Fn<void(const char*)>("ScriptSetApplicationFolder")(nullptr);
    Fn<void(const ScriptHost*)>("ScriptHostInstall")(nullptr);
    fs::remove_all(root_);
  }
  std::string PathOf(const std::string& name) { return (root_ / name).string(); }
  std::string Make(const std::string& name, const char* content = "x") {
    fs::create_directories(fs::path(PathOf(name)).parent_path());
    std::ofstream(PathOf(name)) << content;
    return PathOf(name);
  }
  static double Call(const char* function, const std::string& a, const std::string& b) {
    TextVar ta(a), tb(b);
    return Fn<double(ScriptText*, ScriptText*)>(function)(ta, tb);
  }
  // What a search reports: FINDFIRST's entry and each FINDNEXT that finds one; -1 if none.
  static int Found(const std::string& mask) {
    if (OnText("zemoscriptFINDFIRST", mask) != 0) return -1;
    int count = 1;
    while (count < 100 && Fn<NumFn0>("zemoscriptFINDNEXT")() == 0) ++count;
    return count;
  }
  // Makes the file, deletes it by its (Latin-1) name and tells whether it went.
  bool Killed(const std::string& utf8, const std::string& latin = {}) {
    Make(utf8);
    OnText<void>("zemoscriptprocKILL", PathOf(latin.empty() ? utf8 : latin));
    return !fs::exists(PathOf(utf8));
  }
  fs::path root_ = fs::path(testing::TempDir()) / ("zemo_files_" + std::to_string(getpid()));
};

TEST_F(ScriptFiles, ExistsSearchRenameCopyAndKill) {
  EXPECT_EQ(OnText("zemoscriptFILEEXISTS", Make("a.txt", "A")), 1.0);
  EXPECT_EQ(OnText("zemoscriptFILEEXISTS", PathOf("missing.txt")), 0.0);
  EXPECT_EQ(OnText("zemoscriptFILEEXISTS", root_.string()), 0.0) << "a folder is no file";
  Make("one.TXT");
  Make("three.dat");
  EXPECT_EQ(Found(PathOf("*.txt")), 2) << "case ignored";
  EXPECT_EQ(Found(PathOf("*.*")), 3);
  EXPECT_EQ(Found(PathOf("*.png")), -1);
  EXPECT_EQ(Found(PathOf("nofolder/*")), -1);

  const std::string a = PathOf("a.txt"), b = Make("b.txt", "B");
  EXPECT_EQ(Call("zemoscriptFILERENAME", a, b), 0.0) << "rename never replaces";
  EXPECT_EQ(FileContent(b), "B");
  EXPECT_EQ(Call("zemoscriptFILERENAME", a, PathOf("c.txt")), 1.0);
  EXPECT_EQ(FileContent(PathOf("c.txt")), "A");
  EXPECT_FALSE(fs::exists(a));
  EXPECT_EQ(Call("zemoscriptFILECOPY", PathOf("c.txt"), b), 1.0) << "copy replaces";
  EXPECT_EQ(FileContent(b), "A");
  EXPECT_EQ(Call("zemoscriptFILECOPY", PathOf("missing"), b), 0.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", b, PathOf("no/such/folder.txt")), 0.0);
  EXPECT_TRUE(Killed("d.txt")) << "no application folder: any file may go ...";
  OnText<void>("zemoscriptprocKILL", root_.string());
  EXPECT_TRUE(fs::exists(root_)) << "... but never a folder";
}

TEST_F(ScriptFiles, AccentedLatinPathsNameTheUtf8Files) {
  const std::string budget = Make("or\xC3\xA7" "amento.txt", "B");  // orçamento.txt
  const std::string latinRoot = root_.string() + "/";
  EXPECT_EQ(OnText("zemoscriptFILEEXISTS", latinRoot + "or\xE7" "amento.txt"), 1.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", latinRoot + "or\xE7" "amento.txt", latinRoot + "relat\xF3rio.txt"), 1.0);
  EXPECT_EQ(FileContent(PathOf("relat\xC3\xB3rio.txt")), "B");
  EXPECT_FALSE(fs::exists(PathOf("relat\xF3rio.txt")));
  EXPECT_EQ(Call("zemoscriptFILERENAME", latinRoot + "relat\xF3rio.txt", latinRoot + "s\xE9rie.txt"), 1.0);
  EXPECT_EQ(FileContent(PathOf("s\xC3\xA9rie.txt")), "B");
  EXPECT_FALSE(fs::exists(PathOf("relat\xC3\xB3rio.txt")));
  EXPECT_TRUE(Killed("s\xC3\xA9rie.txt", "s\xE9rie.txt"));
  EXPECT_TRUE(fs::exists(budget));

  Make("pr\xC3\xA9" "dio/CAF\xC3\x89.txt");   // prédio/CAFÉ.txt
  Make("pr\xC3\xA9" "dio/\xE6\x9C\xA8.txt");  // a character Latin-1 lacks
  const std::string folder = latinRoot + "pr\xE9" "dio/";
  EXPECT_EQ(Found(folder + "caf\xE9.*"), 1) << "accented capitals match their small letters";
  EXPECT_EQ(Found(folder + "?.txt"), 1) << "what Latin-1 cannot hold reads as one '?'";
  EXPECT_EQ(Found(folder + "???.txt"), -1);
  EXPECT_EQ(Found(folder + "*.TXT"), 2);
}

// A script may not delete files outside its application folder unless the user allows it.
struct Question {
  bool accept = false;
  int asked = 0;
  std::string text;
};

TEST_F(ScriptFiles, OutsideTheApplicationFolderTheUserIsAskedOnce) {
  Question question;
  ScriptHost host{};
  host.context = &question;
  host.AskConfirmation = [](void* c, const char* text) {
    auto& q = *static_cast<Question*>(c);
    q.text = text;
    ++q.asked;
    return int{q.accept};
  };
  auto setFolder = [](const fs::path& f) { Fn<void(const char*)>("ScriptSetApplicationFolder")(f.string().c_str()); };
  setFolder(root_ / "APP");
  EXPECT_FALSE(Killed("other/c.txt")) << "no host: refused, nobody asked";
  Fn<void(const ScriptHost*)>("ScriptHostInstall")(&host);
  EXPECT_TRUE(Killed("app/a.txt")) << "inside, folders compared without case";
  Make("pr\xC3\xA9" "dio/x");
  setFolder(root_ / "PR\xC3\x89" "DIO");  // the host names it as the file system does, in capitals
  EXPECT_TRUE(Killed("pr\xC3\xA9" "dio/a.txt", "pr\xE9" "dio/a.txt")) << "the script's Latin-1 path";
  EXPECT_EQ(question.asked, 0);
  EXPECT_FALSE(Killed("other/b.txt"));
  EXPECT_EQ(question.text.rfind("AVISO: Tentativa de leitura ou escrita de arquivos fora da pasta aplica\xE7\xE3o.", 0),
            0u);
  question.accept = true;  // too late: the answer is kept
  EXPECT_FALSE(Killed("other/b.txt"));
  EXPECT_EQ(question.asked, 1);
  setFolder(root_ / "app");  // a new folder is a new question
  EXPECT_TRUE(Killed("other/c.txt"));
  EXPECT_TRUE(Killed("d.txt")) << "allowed once allows everywhere";
  EXPECT_EQ(question.asked, 2);
}
}  // namespace
