// The editor's command line: which arguments are documents and which reach Qt.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "CommandLine.h"

namespace {
namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class EditorCommandLineTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    previous_ = fs::current_path();
    fs::current_path(folder_);
    // Documents whose names look like Qt options.
    for (const char* name : {"-stylesheet=x.zobj3d", "-reverse", "doc.zobj3d", "--style"}) std::ofstream{name} << "x";
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }
  static EditorCommandLine Parse(Strings arguments) {
    arguments.insert(arguments.begin(), "objetos3d");
    return ParseEditorCommandLine(arguments);
  }
  fs::path folder_ = fs::temp_directory_path() / ("obj3d_cmdline_" + std::to_string(getpid()));
  fs::path previous_;
};

TEST_F(EditorCommandLineTest, ExistingFilesAndArgumentsAfterDashDashAreDocumentsNeverQtOptions) {
  struct Case {
    Strings arguments, documents, qt;
  } cases[] = {
      {{"-stylesheet=x.zobj3d"}, {"-stylesheet=x.zobj3d"}, {}},
      {{"-reverse", "--style"}, {"-reverse", "--style"}, {}},
      {{"--", "-reverse", "-nofile", "--", "--help"}, {"-reverse", "-nofile", "--", "--help"}, {}},
      {{"-style", "fusion", "doc.zobj3d"}, {"doc.zobj3d"}, {"-style", "fusion"}},
      {{"-platform=offscreen", "-nograb", "new.zobj3d"}, {"new.zobj3d"}, {"-platform=offscreen", "-nograb"}},
      // The only candidate value of a Qt option is a document: the option goes.
      {{"-stylesheet", "doc.zobj3d"}, {"doc.zobj3d"}, {}},
      {{"-style", "--", "-reverse"}, {"-reverse"}, {}},
      {{"-geometry"}, {}, {}},
  };
  for (const Case& c : cases) {
    const EditorCommandLine line = Parse(c.arguments);
    const std::string where = testing::PrintToString(c.arguments);
    EXPECT_EQ(line.action, EditorCommandLine::Action::Run) << where;
    EXPECT_EQ(line.documents, c.documents) << where;
    Strings qt = c.qt;
    qt.insert(qt.begin(), "objetos3d");
    EXPECT_EQ(line.qtArguments, qt) << where;
  }
  EXPECT_EQ(Parse({"-stylesheet", "doc.zobj3d"}).warnings.size(), 1u);
}

TEST_F(EditorCommandLineTest, TheEditorsOwnOptions) {
  EXPECT_EQ(Parse({"doc.zobj3d", "--help"}).action, EditorCommandLine::Action::Help);
  EXPECT_EQ(Parse({"-h"}).action, EditorCommandLine::Action::Help);
  EXPECT_EQ(Parse({"--version"}).action, EditorCommandLine::Action::Version);
  EXPECT_EQ(Parse({"--", "--version"}).action, EditorCommandLine::Action::Run);

  EditorCommandLine line = Parse({"--language", "en", "doc.zobj3d"});
  EXPECT_EQ(line.language, "en");
  EXPECT_EQ(line.documents, Strings{"doc.zobj3d"});
  EXPECT_EQ(Parse({"--language=pt"}).language, "pt");
  for (const Strings& wrong : {Strings{"--language"}, Strings{"--language", "de"}, Strings{"--language="}}) {
    line = Parse(wrong);
    EXPECT_EQ(line.action, EditorCommandLine::Action::Error) << testing::PrintToString(wrong);
    EXPECT_NE(line.error.find("--language"), std::string::npos);
  }
}

TEST_F(EditorCommandLineTest, AGraphicalSessionIsADisplayOrAChosenPlatform) {
  const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
  std::vector<std::pair<std::string, std::string>> saved;
  for (const char* name : names)
    if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
  for (const char* name : names) unsetenv(name);

  EXPECT_FALSE(HasGraphicalSession(Parse({"doc.zobj3d"})));
  setenv("DISPLAY", "", 1);
  EXPECT_FALSE(HasGraphicalSession(Parse({})));
  EXPECT_TRUE(HasGraphicalSession(Parse({"-platform", "offscreen"})));
  EXPECT_TRUE(HasGraphicalSession(Parse({"--platform=offscreen"})));
  for (const char* name : names) {
    setenv(name, name[0] == 'Q' ? "offscreen" : ":5", 1);
    EXPECT_TRUE(HasGraphicalSession(Parse({}))) << name;
    unsetenv(name);
  }
  for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
}
}  // namespace
