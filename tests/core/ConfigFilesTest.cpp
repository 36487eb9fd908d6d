// Configuration files and the texture folder are data that may be hostile:
// what is read, what is refused, and that a refusal is said once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "TestFolder.h"
#include "common/ConfigFile.h"
#include "common/Dictionary.h"
#include "common/IniFile.h"
#include "common/TextureFolder.h"

namespace fs = std::filesystem;

namespace {
// A file of `size` bytes that takes no disk space.
void Sparse(const std::string& path, uintmax_t size) {
  std::ofstream(path) << "x";
  fs::resize_file(path, size);
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}
}  // namespace

// Pipes, devices, folders and oversized files are never read, never block, and are named once on stderr
// however often they are asked for; a regular file of exactly the limit, or a link to one, is read.
TEST(ConfigFiles, OnlyBoundedRegularFilesAreReadAndRefusalsAreSaidOnce) {
  TestFolder dir;
  ASSERT_EQ(::mkfifo(dir.file("fifo.ini").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", dir.file("zero.ini"));
  fs::create_directory(dir.file("folder.ini"));
  Sparse(dir.file("big.ini"), kConfigFileLimit + 1);
  Sparse(dir.file("limit.ini"), kConfigFileLimit);
  fs::create_symlink(dir.file("limit.ini"), dir.file("link.ini"));

  struct Case {
    const char* name;
    bool read;
    const char* warning;
  } cases[] = {{"fifo.ini", false, "not a regular file"},
               {"zero.ini", false, "not a regular file"},
               {"folder.ini", false, "not a regular file"},
               {"big.ini", false, "larger than 1 MB"},
               {"missing.ini", false, nullptr},
               {"limit.ini", true, nullptr},
               {"link.ini", true, nullptr}};
  for (const Case& c : cases) {
    testing::internal::CaptureStderr();
    std::string bytes = "stale";
    const bool read = ReadConfigFile(dir.file(c.name), bytes) && ReadConfigFile(dir.file(c.name), bytes);
    (void)ReadIniText(dir.file(c.name), "LOG", "ALLOW");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(read, c.read) << c.name;
    EXPECT_EQ(bytes.size(), c.read ? kConfigFileLimit : 0u) << c.name;
    EXPECT_EQ(Count(said, "\n"), c.warning ? 1u : 0u) << c.name << ": " << said;
    if (c.warning) {
      EXPECT_NE(said.find(dir.file(c.name) + ": " + c.warning + ", ignored"), std::string::npos) << said;
    }
  }
}

// A dictionary that is too large or not a file leaves the interface in Portuguese (an empty store
// would switch it to the alternate texts); a log.ini that is a pipe or endless reads as switched off.
TEST(ConfigFiles, RefusedDictionaryAndLogSettingsChangeNothing) {
  TestFolder dir;
  std::string big = "@GENERAL\n";
  while (big.size() <= kConfigFileLimit) big += "Grade;Grid;\n";
  dir.write("big.dat", big);
  ASSERT_EQ(::mkfifo(dir.file("fifo.dat").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", dir.file("zero.dat"));
  testing::internal::CaptureStderr();
  for (const char* name : {"big.dat", "fifo.dat", "zero.dat"}) {
    FreeDictionary();
    LoadDictionaryFile(dir.file(name));
    EXPECT_FALSE(HasDictionary()) << name;
    EXPECT_EQ(Choose("Grade", "Grid"), "Grade") << name;
  }
  big.resize(kConfigFileLimit - 100);
  dir.write("big.dat", big.substr(0, big.rfind('\n') + 1));
  FreeDictionary();
  LoadDictionaryFile(dir.file("big.dat"));
  EXPECT_EQ(Lookup("Grade"), "Grid");
  FreeDictionary();
  testing::internal::GetCapturedStderr();
}

// The export copies files of the texture folder, links inside it included; links that lead out of it,
// sub-folders and odd names are left out, and a file over 64 MB is listed as skipped.
TEST(TextureFolderCopy, OnlyBoundedFilesInsideTheFolder) {
  TestFolder dir;
  const std::string tex = dir.file("TEX");
  fs::create_directories(tex + "/sub");
  fs::create_directories(dir.file("outside"));
  std::ofstream(tex + "/a.bmp") << "a";
  std::ofstream(tex + "/sub/inner.bmp") << "inner";
  std::ofstream(dir.file("outside/secret.bmp")) << "secret";
  fs::create_symlink(tex + "/a.bmp", tex + "/alias.bmp");
  fs::create_symlink("sub/inner.bmp", tex + "/inner.bmp");
  fs::create_symlink(dir.file("outside/secret.bmp"), tex + "/secret.bmp");
  fs::create_symlink("../outside/secret.bmp", tex + "/relative.bmp");
  fs::create_symlink("/dev/zero", tex + "/zero.bmp");
  fs::create_symlink(tex + "/nothing.bmp", tex + "/dangling.bmp");
  Sparse(tex + "/huge.jpeg", kMaxTextureCopyBytes + 1);
  Sparse(tex + "/limit.jpeg", kMaxTextureCopyBytes);

  std::map<std::string, std::string> found;
  for (const TextureCopySource& s : TexturesToCopy(tex + "/")) {
    found[s.name] = s.skipped.empty() ? s.path : "skipped: " + s.skipped;
  }
  const std::string real = fs::canonical(tex).string();
  EXPECT_EQ(found, (std::map<std::string, std::string>{
                       {"a.bmp", real + "/a.bmp"},
                       {"alias.bmp", real + "/a.bmp"},
                       {"inner.bmp", real + "/sub/inner.bmp"},
                       {"limit.jpeg", real + "/limit.jpeg"},
                       {"huge.jpeg", "skipped: not copied: larger than 64 MB"},
                   }));
}
