#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "common/BlockWriter.h"
#include "common/InterruptCleanup.h"
#include "common/SafeFiles.h"

namespace {
namespace fs = std::filesystem;
size_t Entries(const TestFolder& dir) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
}
}  // namespace

// A replacement shows nothing until committed, then keeps the permissions of the file it replaces.
TEST(SafeFiles, ACommittedReplacementKeepsThePermissions) {
  TestFolder dir;
  dir.write("doc", "old");
  ::chmod(dir.file("doc").c_str(), 0640);
  ReplacementFile file(dir.file("doc"));
  ASSERT_TRUE(file.Write("discarded") && file.Restart() && file.Write("new")) << file.Error();
  EXPECT_EQ(dir.read("doc"), "old");
  ASSERT_TRUE(file.Commit()) << file.Error();
  EXPECT_EQ(dir.read("doc"), "new");
  EXPECT_EQ(fs::status(dir.file("doc")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Entries(dir), 1u);
}

// Either every file changes or none does, even when a name is taken between the check and the renames.
TEST(SafeFiles, FilesCommittedTogetherAllChangeOrNoneDoes) {
  TestFolder dir;
  dir.write("a.obj", "old a");
  dir.write("b.mtl", "old b");
  std::string error;
  {
    ReplacementFile a(dir.file("a.obj")), b(dir.file("b.mtl"));
    ASSERT_TRUE(a.Write("new a") && b.Write("new b"));
    fs::remove(dir.file("b.mtl"));
    fs::create_directories(dir.file("b.mtl/inside"));
    EXPECT_FALSE(CommitTogether({&a, &b}, error));
    EXPECT_NE(error.find("b.mtl"), std::string::npos) << error;
    EXPECT_EQ(dir.read("a.obj"), "old a");
  }
  EXPECT_EQ(Entries(dir), 2u) << "temporary files left behind";
  {
    // A first file that did not exist before is taken away again.
    ReplacementFile a(dir.file("fresh.obj")), b(dir.file("b.mtl/inside/x"));
    ASSERT_TRUE(a.Write("new") && b.Write("new"));
    fs::remove_all(dir.file("b.mtl"));
    fs::create_directories(dir.file("b.mtl/inside/x/y"));
    EXPECT_FALSE(CommitTogether({&a, &b}, error));
    EXPECT_FALSE(fs::exists(dir.file("fresh.obj")));
  }
  ReplacementFile a(dir.file("a.obj")), c(dir.file("c.mtl"));
  ASSERT_TRUE(a.Write("new a") && c.Write("new c"));
  ASSERT_TRUE(CommitTogether({&a, &c}, error)) << error;
  EXPECT_EQ(dir.read("a.obj"), "new a");
  EXPECT_EQ(dir.read("c.mtl"), "new c");
  EXPECT_EQ(Entries(dir), 3u);
}

// Blocks written through the writer thread, with flushes on the way, and a
// short block between whole ones all land in place (on a disk and on a
// memory file system).
TEST(SafeFiles, BlocksFlushedOnTheWayKeepEveryByte) {
  TestFolder dir;
  std::vector<std::string> targets = {dir.file("big.obj")};
  if (fs::is_directory("/dev/shm")) targets.push_back("/dev/shm/obj3d_blocks_" + std::to_string(::getpid()));
  for (const std::string& target : targets) {
    ReplacementFile file(target);
    ASSERT_TRUE(file.ok()) << file.Error();
    std::string expected;
    {
      BlockWriter writer(file, 2, BlockWriter::kBlockBytes, BlockWriter::kBlockBytes);  // a flush every block
      for (int round = 0; round < 5; ++round) {
        char* block = writer.Take();
        // A short block in the middle moves the file offset off the block size for the blocks after it.
        const size_t size = round == 1 ? 1000 : BlockWriter::kBlockBytes;
        for (size_t i = 0; i < size; ++i) block[i] = static_cast<char>('a' + (i * 7 + round) % 26);
        expected.append(block, size);
        writer.Submit(block, size);
      }
      ASSERT_TRUE(writer.Drain()) << file.Error();
    }
    ASSERT_TRUE(file.Commit()) << file.Error();
    std::ifstream in(target, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(written == expected) << target << ": " << written.size() << " bytes of " << expected.size();
    fs::remove(target);
  }
}

// A process ended by a signal while writing leaves the previous file and no temporary file, also
// with several writes open, one of them finished (named) but not yet in place, and after others
// were committed.
TEST(SafeFiles, AnInterruptedWriteLeavesThePreviousFileAndNoTemporaryOne) {
  for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2, SIGPIPE, SIGXCPU, SIGVTALRM, SIGPROF}) {
    TestFolder dir;
    dir.write("doc", "previous");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RemoveTempFilesOnInterrupt();
      {
        ReplacementFile done(dir.file("done"));
        if (!done.Write("complete") || !done.Commit()) ::_exit(3);
      }
      ReplacementFile a(dir.file("doc")), b(dir.file("other")), c(dir.file("third"));
      if (!a.Write("half of the new") || !b.Write("x") || !c.Write("all") || !c.Finish()) ::_exit(3);
      if (c.TempPath().empty() || !fs::exists(c.TempPath())) ::_exit(5);  // a finished file has its name
      ::raise(sig);
      ::_exit(4);  // not reached: the signal ends the process
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << strsignal(sig) << ": " << status;
    EXPECT_EQ(dir.read("doc"), "previous");
    EXPECT_EQ(dir.read("done"), "complete");
    EXPECT_EQ(Entries(dir), 2u) << "temporary files left behind";
  }
}

// Past the file size limit a write fails with the system's reason instead of ending the process
// (SIGXFSZ is ignored once the handlers are installed), and nothing is left of the new file.
TEST(SafeFiles, AWritePastTheFileSizeLimitFailsAndLeavesNothing) {
  TestFolder dir;
  dir.write("doc", "previous");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RemoveTempFilesOnInterrupt();
    const struct rlimit limit = {4096, RLIM_INFINITY};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
    ReplacementFile file(dir.file("doc"));
    const std::string block(3000, 'x');
    const bool wrote = file.Write(block) && file.Write(block) && file.Commit();
    ::_exit(!wrote && file.Error().find(std::strerror(EFBIG)) != std::string::npos ? 0 : 4);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
  EXPECT_EQ(dir.read("doc"), "previous");
  EXPECT_EQ(Entries(dir), 1u);
}
