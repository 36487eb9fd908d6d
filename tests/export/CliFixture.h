#pragma once
// Runs the built batch tool as a separate process on the bundled sample.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifndef CLI_PATH
#error CLI_PATH names the built objetos3d-cli
#endif

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct CliRun {
  int status;
  std::string stderrText;
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

  // `environment` is "NAME=value " pairs put before the tool's command.
  CliRun Run(const std::string& arguments, const std::string& environment = "") const {
    const std::filesystem::path errors = folder.string() + ".err";
    const std::string command =
        "env " + environment + std::string(CLI_PATH) + " " + arguments + " 2>" + errors.string();
    const int raw = std::system(command.c_str());
    CliRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(errors)};
    std::filesystem::remove(errors);
    return run;
  }
  std::string Out(const std::string& name) const { return (folder / name).string(); }

  std::filesystem::path folder;
  std::string sample;
};
