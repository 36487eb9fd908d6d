#include <sys/stat.h>
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
  const std::string budget = Make(
      "or\xC3\xA7"
      "amento.txt",
      "B");  // orçamento.txt
  const std::string latinRoot = root_.string() + "/";
  EXPECT_EQ(OnText("zemoscriptFILEEXISTS", latinRoot + "or\xE7"
                                                       "amento.txt"),
            1.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY",
                 latinRoot + "or\xE7"
                             "amento.txt",
                 latinRoot + "relat\xF3rio.txt"),
            1.0);
  EXPECT_EQ(FileContent(PathOf("relat\xC3\xB3rio.txt")), "B");
  EXPECT_FALSE(fs::exists(PathOf("relat\xF3rio.txt")));
  EXPECT_EQ(Call("zemoscriptFILERENAME", latinRoot + "relat\xF3rio.txt", latinRoot + "s\xE9rie.txt"), 1.0);
  EXPECT_EQ(FileContent(PathOf("s\xC3\xA9rie.txt")), "B");
  EXPECT_FALSE(fs::exists(PathOf("relat\xC3\xB3rio.txt")));
  EXPECT_TRUE(Killed("s\xC3\xA9rie.txt", "s\xE9rie.txt"));
  EXPECT_TRUE(fs::exists(budget));

  Make(
      "pr\xC3\xA9"
      "dio/CAF\xC3\x89.txt");  // prédio/CAFÉ.txt
  Make(
      "pr\xC3\xA9"
      "dio/\xE6\x9C\xA8.txt");  // a character Latin-1 lacks
  const std::string folder = latinRoot +
                             "pr\xE9"
                             "dio/";
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
  EXPECT_TRUE(Killed("APP/a.txt"));
  Make(
      "pr\xC3\xA9"
      "dio/x");
  setFolder(root_ /
            "pr\xC3\xA9"
            "dio");
  EXPECT_TRUE(
      Killed("pr\xC3\xA9"
             "dio/a.txt",
             "pr\xE9"
             "dio/a.txt"))
      << "the script's Latin-1 path";
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

// Hostile names against a guard whose user refuses: nothing outside the
// application folder changes, and every way out reaches the question.
TEST_F(ScriptFiles, TheGuardHoldsAgainstDisguisedPaths) {
  Question question;
  ScriptHost host{};
  host.context = &question;
  host.AskConfirmation = [](void* c, const char*) { return ++static_cast<Question*>(c)->asked, 0; };
  Fn<void(const ScriptHost*)>("ScriptHostInstall")(&host);
  fs::create_directories(root_ / "APP");
  fs::create_directories(root_ / "other");
  fs::create_symlink(root_ / "other", root_ / "APP" / "out");   // a link inside leading out
  fs::create_symlink(root_ / "APP", root_ / "other" / "back");  // a link outside leading in
  Fn<void(const char*)>("ScriptSetApplicationFolder")((root_ / "APP").string().c_str());
  const std::string app = PathOf("APP/"), other = PathOf("other/");

  // Each of these names a file outside the application folder.
  const std::string outside[] = {
      other + "v1.txt",
      app + "../other/v1.txt",
      app + "out/v1.txt",
      PathOf("app/v1.txt"),  // differs from the folder only in case
      app + "./out/../out/v1.txt",
  };
  for (const std::string& name : outside) {
    Make("other/v1.txt");
    Make("app/v1.txt");
    question.asked = 0;
    Fn<void(const char*)>("ScriptSetApplicationFolder")((root_ / "APP").string().c_str());
    OnText<void>("zemoscriptprocKILL", name);
    EXPECT_TRUE(fs::exists(PathOf("other/v1.txt")) && fs::exists(PathOf("app/v1.txt"))) << name;
    EXPECT_EQ(question.asked, 1) << name;
  }
  // A 0 byte would cut the name short to the first part: refused by every
  // file function without a question.
  using namespace std::string_literals;
  const std::string cut = other + "v1.txt\0/../../APP/x"s;
  question.asked = 0;
  OnText<void>("zemoscriptprocKILL", cut);
  EXPECT_TRUE(fs::exists(PathOf("other/v1.txt")));
  EXPECT_EQ(OnText("zemoscriptFILEEXISTS", cut), 0.0);
  EXPECT_NE(OnText("zemoscriptFINDFIRST", other + "*\0.none"s), 0.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", cut, app + "copy.txt"), 0.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", app + "y.txt", app + "copy.txt\0x"s), 0.0);
  EXPECT_EQ(Call("zemoscriptFILERENAME", cut, app + "moved.txt"), 0.0);
  EXPECT_FALSE(fs::exists(PathOf("APP/copy.txt")) || fs::exists(PathOf("APP/moved.txt")));
  EXPECT_EQ(question.asked, 0);

  // Inside after resolving: a link from outside that leads in, and "..".
  EXPECT_TRUE(Killed("APP/a.txt", "other/back/a.txt"));
  EXPECT_TRUE(Killed("APP/b.txt", "other/../APP/b.txt"));
  EXPECT_EQ(question.asked, 0);

  // Rename and copy ask the same question for a source or target outside;
  // refused, nothing moves, so a later KILL inside cannot reach the file.
  Fn<void(const char*)>("ScriptSetApplicationFolder")((root_ / "APP").string().c_str());
  Make("APP/mine.txt", "mine");
  EXPECT_EQ(Call("zemoscriptFILERENAME", other + "v1.txt", app + "v1.txt"), 0.0);
  EXPECT_EQ(Call("zemoscriptFILERENAME", app + "mine.txt", other + "mine.txt"), 0.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", app + "mine.txt", other + "v1.txt"), 0.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", other + "v1.txt", app + "v1.txt"), 0.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", app + "out/v1.txt", app + "v1.txt"), 0.0) << "read through a link";
  fs::create_symlink(root_ / "other" / "v1.txt", root_ / "APP" / "leak.txt");
  EXPECT_EQ(Call("zemoscriptFILECOPY", app + "leak.txt", app + "v1.txt"), 0.0) << "a link to a file outside";
  EXPECT_FALSE(fs::exists(PathOf("APP/v1.txt")));
  EXPECT_EQ(FileContent(PathOf("other/v1.txt")), "x");
  EXPECT_EQ(FileContent(PathOf("APP/mine.txt")), "mine");
  EXPECT_EQ(question.asked, 1) << "one question, remembered";
}

// A copy replaces what is at the target, even a link, and never writes
// through it; a rename never replaces anything.
TEST_F(ScriptFiles, CopyNeverFollowsALinkAtTheTarget) {
  const std::string victim = Make("victim.txt", "keep");
  const std::string source = Make("new.txt", "new");
  fs::create_symlink(victim, PathOf("planted"));
  fs::create_symlink(PathOf("nowhere"), PathOf("dangling"));
  for (const char* target : {"planted", "dangling"}) {
    EXPECT_EQ(Call("zemoscriptFILECOPY", source, PathOf(target)), 1.0) << target;
    EXPECT_FALSE(fs::is_symlink(PathOf(target))) << target;
    EXPECT_EQ(FileContent(PathOf(target)), "new") << target;
  }
  EXPECT_EQ(FileContent(victim), "keep");
  EXPECT_FALSE(fs::exists(PathOf("nowhere")));
  fs::create_symlink(victim, PathOf("planted2"));
  EXPECT_EQ(Call("zemoscriptFILERENAME", source, PathOf("planted2")), 0.0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", source, root_.string()), 0.0) << "a folder is never replaced";
  ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
  EXPECT_EQ(Call("zemoscriptFILECOPY", PathOf("pipe"), PathOf("fromPipe")), 0.0) << "only regular files are copied";
  EXPECT_EQ(FileContent(victim), "keep");
  for (const auto& entry : fs::directory_iterator(root_))
    EXPECT_EQ(entry.path().filename().string().rfind(".zemocopy", 0), std::string::npos) << "temporary left";
}

TEST_F(ScriptFiles, SearchReportsEveryEntryOfABigFolderOnce) {
  constexpr int kEntries = 3000;
  for (int i = 0; i < kEntries; ++i) std::ofstream(PathOf("f" + std::to_string(i) + ".dat"));
  ASSERT_EQ(OnText("zemoscriptFINDFIRST", PathOf("*.dat")), 0.0);
  int found = 1;
  while (Fn<NumFn0>("zemoscriptFINDNEXT")() == 0) ++found;
  EXPECT_EQ(found, kEntries);
  EXPECT_NE(Fn<NumFn0>("zemoscriptFINDNEXT")(), 0.0) << "the end stays the end";
}
}  // namespace
