// A batch run ended by SIGTERM while it writes leaves the previous files as
// they were and no temporary file beside them, named or not.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>

#include <chrono>
#include <thread>

#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "tests/export/CliFixture.h"

extern char** environ;

namespace {
namespace fs = std::filesystem;

class Interrupted : public CliFixture {
 protected:
  // A file without a name yet (O_TMPFILE) in the output folder, open in `pid`:
  // the kernel shows it as "<folder>/#<inode> (deleted)".
  bool WritesUnnamedFile(pid_t pid) {
    std::error_code ec;
    const std::string unnamed = fs::canonical(folder, ec).string() + "/#";
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
      std::error_code gone;
      if (fs::read_symlink(fd.path(), gone).string().rfind(unnamed, 0) == 0) return true;
    }
    return false;
  }

  // Starts the tool with `args`, waits until a temporary file beside
  // `target` appears, then sends SIGTERM; the wait status, or -1 when the
  // run ended before the signal could reach it (a machine busy elsewhere).
  int TerminateWhileWriting(const std::vector<std::string>& args, const std::string& target) {
    std::vector<char*> argv{const_cast<char*>(CLI_PATH)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, CLI_PATH, nullptr, nullptr, argv.data(), environ) != 0) return -2;
    const std::string prefix = fs::path(target).filename().string() + ".";
    bool seen = false, exited = false;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!seen && std::chrono::steady_clock::now() < deadline) {
      if ((exited = ::waitpid(child, &status, WNOHANG) == child)) break;
      for (const auto& entry : fs::directory_iterator(folder))
        seen |= entry.path().filename().string().rfind(prefix, 0) == 0;
      seen |= WritesUnnamedFile(child);
      if (!seen) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (!exited) {
      ::kill(child, seen ? SIGTERM : SIGKILL);  // never seen: the run fails below
      ::waitpid(child, &status, 0);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? -1 : status;
  }
};
}  // namespace

// A document copy of 289 MB and an OBJ export of a million elements, each interrupted while its
// temporary file is being written.
TEST_F(Interrupted, ACopyAndAnExportEndedBySigtermLeaveThePreviousFilesAndNoOther) {
  {
    TIMem32 store;
    store.RecordSize = kElementRecordSize;
    store.SetCount(1000000);
    for (int32_t i = 0; i < store.Count(); ++i) {
      Element3D& e = store.As<Element3D>(i);
      e.kind = i % 4;
      e.dx = e.dy = e.dz = 1;
      e.x = i % 1000;
      e.topPercent = 100;
    }
    ASSERT_TRUE(WriteDocument(Out("big.zobj3d"), store).ok());
  }
  std::ofstream(Out("copy.zobj3d")) << "previous document";
  std::ofstream(Out("x.obj")) << "previous obj";
  std::ofstream(Out("x.mtl")) << "previous mtl";
  const std::set<std::string> before = Listing(folder);

  const int copy = TerminateWhileWriting({"copy", Out("big.zobj3d"), Out("copy.zobj3d")}, Out("copy.zobj3d"));
  if (copy == -1) GTEST_SKIP() << "the copy finished before it could be interrupted";
  EXPECT_TRUE(WIFSIGNALED(copy) && WTERMSIG(copy) == SIGTERM) << copy;
  EXPECT_EQ(ReadFileBytes(Out("copy.zobj3d")), "previous document");
  EXPECT_EQ(Listing(folder), before);

  const int exported = TerminateWhileWriting({"export", Out("big.zobj3d"), Out("x.obj")}, Out("x.obj"));
  if (exported == -1) GTEST_SKIP() << "the export finished before it could be interrupted";
  EXPECT_TRUE(WIFSIGNALED(exported) && WTERMSIG(exported) == SIGTERM) << exported;
  EXPECT_EQ(ReadFileBytes(Out("x.obj")), "previous obj");
  EXPECT_EQ(ReadFileBytes(Out("x.mtl")), "previous mtl");
  EXPECT_EQ(Listing(folder), before);
}
