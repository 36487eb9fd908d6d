#pragma once
// Runs the built batch tool as a separate process on the bundled sample.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#ifndef CLI_PATH
#error CLI_PATH names the built objetos3d-cli
#endif

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline size_t LineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

// The names in `folder`, for spotting files left behind.
inline std::set<std::string> Listing(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

struct CliRun {
  int status;
  std::string out, err;  // what was written to stdout and to stderr
};

// A fresh output folder per test, the sample beside the tool, no display.
class CliFixture : public testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("obj3d_cli_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
              std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    sample = (std::filesystem::path(CLI_PATH).parent_path() / "Vist3D" / "sample.zobj3d").string();
    ASSERT_TRUE(std::filesystem::exists(sample));
    // The display must not matter (a thumbnailer runs without one).
    unsetenv("DISPLAY");
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // The tool with `arguments`, after `prefix` ("env NAME=value ", "timeout 10 ", "ulimit -f 6; exec ").
  CliRun Run(const std::string& arguments, const std::string& prefix = "") const {
    return Shell(prefix + CLI_PATH + " " + arguments);
  }
  // A shell command line, its output kept beside the folder.
  CliRun Shell(const std::string& line) const {
    const std::string out = folder.string() + ".out", err = folder.string() + ".err";
    const int raw = std::system(("{ " + line + "; } >" + out + " 2>" + err).c_str());
    CliRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(out), ReadFileBytes(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
  }
  std::string Out(const std::string& name) const { return (folder / name).string(); }

  std::filesystem::path folder;
  std::string sample;
};
