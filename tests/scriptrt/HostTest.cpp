// Dialogs, keys and the screen go through the host; a test host stands in
// for the editor's.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ScriptLibrary.h"

namespace {
struct TestHost {
  bool accept = false;
  std::string entered, seen;
  int escapeState = 0, questions = 0;
};

TestHost& Of(void* context) { return *static_cast<TestHost*>(context); }

ScriptHost MakeHost(TestHost& state) {
  ScriptHost host{};
  host.context = &state;
  host.ChooseDate = [](void* c, const char* title, double date, double* chosen) {
    Of(c).seen = title;
    *chosen = date + 10;
    return Of(c).accept ? 1 : 0;
  };
  host.InputNumber = [](void* c, const char* caption, const char* title, const char* defaultText, char* entered,
                        int capacity) {
    Of(c).seen = std::string(caption) + "|" + title + "|" + defaultText;
    std::snprintf(entered, static_cast<size_t>(capacity), "%s", Of(c).entered.c_str());
    return Of(c).accept ? 1 : 0;
  };
  host.KeyState = [](void* c, int key) {
    if (key != 27) return key == 'A' ? int{kScriptKeyDown} : 0;
    const int state = Of(c).escapeState;
    Of(c).escapeState &= ~kScriptKeyPressedSinceLastQuery;
    return state;
  };
  host.ScreenWidth = [](void*) { return 1600; };
  host.ScreenHeight = [](void*) { return 1000; };
  host.ShowInformation = [](void* c, const char*, const char* text) { Of(c).seen = text; };
  host.AskConfirmation = [](void* c, const char* text) {
    Of(c).seen = text;
    ++Of(c).questions;
    return Of(c).accept ? 1 : 0;
  };
  return host;
}

void Install(const ScriptHost* host) { Fn<void(const ScriptHost*)>("ScriptHostInstall")(host); }

double ChooseDate(const char* title, double date) {
  TextVar t(title);
  return Fn<double(ScriptText*, double)>("zemoscriptCHOOSEDATE")(t, date);
}

double InputNumber(double defaultValue) {
  TextVar caption("Grade"), title("Passo");
  return Fn<double(ScriptText*, ScriptText*, double)>("zemoscriptINPUTNUMBER")(caption, title, defaultValue);
}

TEST(NoHost, AnswersCancelNotPressedAndZero) {
  EXPECT_EQ(ChooseDate("Data", 45000), -1.0);
  EXPECT_EQ(InputNumber(7.5), 7.5);
  EXPECT_EQ(Fn<NumFn0>("zemoscriptESCPRESSED")() + Fn<NumFn1>("zemoscriptGETKEY")(65), 0.0);
  EXPECT_EQ(Fn<NumFn0>("zemoscriptSCREENWIDTH")() + Fn<NumFn0>("zemoscriptSCREENHEIGHT")(), 0.0);
  Fn<void()>("zemoscriptprocABOUTZEMO")();  // nothing to show it on
}

TEST(WithHost, DialogsReturnTheChoiceOrTheCancelAnswer) {
  TestHost state;
  const ScriptHost host = MakeHost(state);
  Install(&host);
  EXPECT_EQ(ChooseDate("Escolha", 45000), -1.0);
  EXPECT_EQ(state.seen, "Escolha");
  state.entered = "2,5";
  EXPECT_EQ(InputNumber(1.25), 1.25);
  EXPECT_EQ(state.seen, "Grade|Passo|1.25");
  state.accept = true;
  EXPECT_EQ(ChooseDate("Escolha", 45000), 45010.0);
  EXPECT_EQ(InputNumber(1.25), 2.5);
  state.entered = "nada";
  EXPECT_EQ(InputNumber(3), 0.0);  // what was typed, read tolerantly
  Fn<void()>("zemoscriptprocABOUTZEMO")();
  EXPECT_FALSE(state.seen.empty());
  Install(nullptr);
}

TEST(WithHost, KeysAndScreen) {
  TestHost state;
  const ScriptHost host = MakeHost(state);
  Install(&host);
  auto esc = Fn<NumFn0>("zemoscriptESCPRESSED");
  state.escapeState = kScriptKeyDown;  // held, but already reported
  EXPECT_EQ(esc(), 0.0);
  state.escapeState = kScriptKeyPressedSinceLastQuery;
  EXPECT_EQ(esc(), 1.0);
  EXPECT_EQ(esc(), 0.0);
  auto getKey = Fn<NumFn1>("zemoscriptGETKEY");
  EXPECT_EQ(getKey(64.6), 1.0);  // rounds to 65, 'A'
  EXPECT_EQ(getKey(66), 0.0);
  EXPECT_EQ(Fn<NumFn0>("zemoscriptSCREENWIDTH")(), 1600.0);
  EXPECT_EQ(Fn<NumFn0>("zemoscriptSCREENHEIGHT")(), 1000.0);
  Install(nullptr);
}

class FileGuard : public testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::path(testing::TempDir()) / ("zemo_guard_" + std::to_string(getpid()));
    std::filesystem::create_directories(root_ / "app");
    std::filesystem::create_directories(root_ / "other");
    host_ = MakeHost(state_);
    Fn<void(const char*)>("ScriptSetApplicationFolder")((root_ / "APP").string().c_str());
  }
  void TearDown() override {
    Fn<void(const char*)>("ScriptSetApplicationFolder")(nullptr);
    Install(nullptr);
    std::filesystem::remove_all(root_);
  }
  // Makes the file, asks the run-time to delete it and tells whether it went.
  bool Killed(const char* relative) {
    const std::string path = (root_ / relative).string();
    std::ofstream(path) << "x";
    TextVar name(path);
    Fn<void(ScriptText*)>("zemoscriptprocKILL")(name);
    return !std::filesystem::exists(path);
  }
  std::filesystem::path root_;
  TestHost state_;
  ScriptHost host_{};
};

TEST_F(FileGuard, InsideTheApplicationFolderNeedsNoQuestion) {
  Install(&host_);
  EXPECT_TRUE(Killed("app/a.txt"));  // folders compare without case
  EXPECT_EQ(state_.questions, 0);
}

TEST_F(FileGuard, AccentedApplicationFolderMatchesTheScriptsLatinPath) {
  Install(&host_);
  std::filesystem::create_directories(root_ / "pr\xC3\xA9" "dio");
  const std::string file = (root_ / "pr\xC3\xA9" "dio" / "a.txt").string();
  std::ofstream(file) << "x";
  // The host names the folder as the file system does, in capitals.
  Fn<void(const char*)>("ScriptSetApplicationFolder")((root_ / "PR\xC3\x89" "DIO").string().c_str());
  TextVar name(root_.string() + "/pr\xE9" "dio/a.txt");
  Fn<void(ScriptText*)>("zemoscriptprocKILL")(name);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(state_.questions, 0);
}

TEST_F(FileGuard, OutsideAsksOnceAndRemembersNo) {
  Install(&host_);
  EXPECT_FALSE(Killed("other/b.txt"));
  EXPECT_EQ(state_.seen.rfind("AVISO: Tentativa de leitura ou escrita de arquivos fora da pasta aplica\xE7\xE3o.", 0),
            0u);
  state_.accept = true;  // too late: the answer is kept
  EXPECT_FALSE(Killed("other/b.txt"));
  EXPECT_EQ(state_.questions, 1);
}

TEST_F(FileGuard, OutsideAllowedOnceAllowsEverywhere) {
  state_.accept = true;
  EXPECT_FALSE(Killed("other/c.txt"));  // no host: refused, nobody asked
  Install(&host_);
  EXPECT_TRUE(Killed("other/c.txt"));
  EXPECT_TRUE(Killed("d.txt"));
  EXPECT_EQ(state_.questions, 1);
}
}  // namespace
