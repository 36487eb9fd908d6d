#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "TestFolder.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "document/TIMem32.h"

namespace {
struct CliRun {
  int status;
  std::string out;
};

// Runs the batch tool with a shell command line; stderr is folded into out.
// Without `tool` the line is run as it is.
CliRun Cli(const std::string& args, bool tool = true) {
  const std::string command = (tool ? std::string(CLI_PATH) + " " + args : "{ " + args + "; }") + " 2>&1";
  std::FILE* p = ::popen(command.c_str(), "r");
  CliRun r{-1, {}};
  if (!p) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  const int raw = ::pclose(p);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }
}  // namespace

TEST(BatchTool, InfoListsEveryFieldTabSeparated) {
  TestFolder dir;
  TIMem32 store;
  store.RecordSize = kElementRecordSize;
  store.SetCount(2);
  Element3D& e = store.As<Element3D>(1);
  e.kind = 7;
  e.name.assign("caf\xE9 \xAB" "1\xBB");
  e.dx = 4, e.dy = 0.07, e.dz = -1.5e-7;
  e.x = 1.0 / 3, e.y = 2, e.z = -0.5;
  e.axy = 90, e.ayz = -180, e.axz = 12.25;
  e.color = 0x80000005;
  e.chamfer = 0.07, e.topPercent = 100;
  e.texture.assign("texture3.bmp");
  e.invisible = 3;
  e.text.assign("label");
  ASSERT_TRUE(WriteDocument(dir.file("d.zobj3d"), store).ok());

  const CliRun r = Cli("info " + Quote(dir.file("d.zobj3d")));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out,
            "0\t0\t\t0\t0\t0\t0\t0\t0\t0\t0\t0\t00000000\t0\t0\t\t0\t\n"
            "1\t7\tcaf\xE9 \xAB" "1\xBB\t4\t0.07\t-1.5e-07\t0.3333333333333333\t2\t-0.5\t90\t-180\t12.25\t80000005\t0.07\t100\t"
            "texture3.bmp\t3\tlabel\n");
}

TEST(BatchTool, CopyReproducesTheSampleByteForByte) {
  TestFolder dir;
  const CliRun r = Cli("copy " + Quote(SAMPLE_PATH) + " " + Quote(dir.file("copy.zobj3d")));
  ASSERT_EQ(r.status, 0) << r.out;
  std::FILE* f = std::fopen(SAMPLE_PATH, "rb");
  ASSERT_NE(f, nullptr);
  std::string original;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) original.append(buf, n);
  std::fclose(f);
  EXPECT_EQ(dir.read("copy.zobj3d"), original);

  // The sample holds every kind of element the editor draws.
  const CliRun info = Cli("info " + Quote(SAMPLE_PATH));
  for (const char* kind : {"\t0\t", "\t1\t", "\t2\t", "\t3\t"}) EXPECT_NE(info.out.find(kind), std::string::npos) << kind;
}

TEST(BatchTool, FailuresExitWithTwoAndNameTheFile) {
  TestFolder dir;
  dir.write("bad.zobj3d", "short");
  struct Case {
    std::string args, mention;
  } cases[] = {
      {"info " + Quote(dir.file("missing.zobj3d")), "missing.zobj3d"},
      {"info " + Quote(dir.file("bad.zobj3d")), "bad.zobj3d: shorter than the 22-byte header"},
      {"copy " + Quote(SAMPLE_PATH) + " " + Quote(dir.file("no/folder/x.zobj3d")), "x.zobj3d"},
      {"copy " + Quote(dir.file("missing.zobj3d")) + " " + Quote(dir.file("y.zobj3d")), "missing.zobj3d"},
      {"info", "usage"},
      {"frobnicate", "unknown command"},
  };
  for (const Case& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_NE(r.out.find(c.mention), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("y.zobj3d")));

  const CliRun help = Cli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("info DOC"), std::string::npos);
}

TEST(BatchTool, PipesAndFoldersAreRefusedAtOnceAndLeftAlone) {
  TestFolder dir;
  const std::string fifo = dir.file("pipe.zobj3d");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(dir.file("folder.zobj3d"));
  // `timeout` turns a read that blocks into status 124 instead of a hung test.
  for (const std::string& args :
       {"info " + Quote(fifo), "info " + Quote(dir.file("folder.zobj3d")), "copy " + Quote(fifo) + " x.zobj3d",
        "copy " + Quote(SAMPLE_PATH) + " " + Quote(fifo),
        "copy " + Quote(SAMPLE_PATH) + " " + Quote(dir.file("folder.zobj3d"))}) {
    const CliRun r = Cli("timeout 10 " + std::string(CLI_PATH) + " " + args, false);
    EXPECT_EQ(r.status, 2) << args << "\n" << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_empty(dir.file("folder.zobj3d")));
}

TEST(BatchTool, ADocumentThatEndedEarlyListsWhatItHoldsAndFails) {
  TestFolder dir;
  TIMem32 store;
  store.RecordSize = kElementRecordSize;
  store.SetCount(3);
  for (int i = 0; i < 3; ++i) store.As<Element3D>(i).name.assign("e" + std::to_string(i));
  ASSERT_TRUE(WriteDocument(dir.file("d.zobj3d"), store).ok());
  std::filesystem::resize_file(dir.file("d.zobj3d"), 22 + 289 * 2 + 100);
  const CliRun info = Cli("info " + Quote(dir.file("d.zobj3d")));
  EXPECT_EQ(info.status, 2);
  EXPECT_EQ(info.out.rfind("0\t0\te0\t", 0), 0u) << info.out;
  EXPECT_NE(info.out.find("\n1\t0\te1\t"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("2 of 3 elements were read"), std::string::npos) << info.out;
  EXPECT_EQ(Cli("copy " + Quote(dir.file("d.zobj3d")) + " " + Quote(dir.file("c.zobj3d"))).status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.file("c.zobj3d")));
}

TEST(BatchTool, TextureCopiesThatFailGetALineEachAndStatusTwo) {
  TestFolder dir;
  TIMem32 empty;
  empty.RecordSize = kElementRecordSize;
  ASSERT_TRUE(WriteDocument(dir.file("empty.zobj3d"), empty).ok());
  // A full disk for the tool alone: files may not grow past 3072 bytes
  // (512-byte blocks), and the signal that would end the tool is ignored.
  const CliRun r = Cli("trap '' XFSZ; ulimit -f 6; exec " + std::string(CLI_PATH) + " export " +
                           Quote(dir.file("empty.zobj3d")) + " " + Quote(dir.file("out.obj")),
                       false);
  EXPECT_EQ(r.status, 2) << r.out;
  // (The GL driver may add lines of its own when its cache cannot grow.)
  size_t lines = 0;
  for (size_t at = r.out.find("objetos3d-cli: "); at != std::string::npos; at = r.out.find("objetos3d-cli: ", at + 1))
    ++lines;
  EXPECT_EQ(lines, 4u) << r.out;
  for (const char* name : {"texture2.jpg", "texture3.bmp", "texture4.bmp", "texture5.jpeg"})
    EXPECT_NE(r.out.find("textures/" + std::string(name) + ": "), std::string::npos) << r.out;
  EXPECT_EQ(dir.read("out.obj"), "mtllib out.mtl\n");
  for (const auto& entry : std::filesystem::directory_iterator(dir.file("textures")))
    EXPECT_GT(std::filesystem::file_size(entry.path()), 0u) << entry.path();
}

// A read-only folder and a full disk, each a small file system mounted in a
// mount namespace of its own, so it vanishes with the command (root only).
TEST(BatchTool, ReadOnlyFoldersAndFullDisksFailWithTheirReason) {
  if (Cli("unshare -m true", false).status != 0) GTEST_SKIP() << "no mount namespaces here";
  TestFolder dir;
  std::filesystem::create_directory(dir.file("mnt"));
  const std::string mnt = Quote(dir.file("mnt"));
  auto mounted = [&](const std::string& options, const std::string& commands) {
    return Cli("unshare -m sh -c \"mount -t tmpfs -o " + options + " none " + mnt + " && { " + commands + "; }\"",
               false);
  };
  const std::string tool = std::string(CLI_PATH);
  for (const char* out : {"x.obj", "x.jpeg", "x.zobj3d"}) {
    const CliRun r = mounted("ro", tool + " export " + Quote(SAMPLE_PATH) + " " + Quote(dir.file(std::string("mnt/") + out)));
    EXPECT_EQ(r.status, 2) << out;
    EXPECT_NE(r.out.find("Read-only file system"), std::string::npos) << r.out;
  }

  // 64 kB hold the export of an empty document but not every texture.
  TIMem32 empty;
  empty.RecordSize = kElementRecordSize;
  ASSERT_TRUE(WriteDocument(dir.file("empty.zobj3d"), empty).ok());
  const CliRun r = mounted("size=64k", tool + " export " + Quote(dir.file("empty.zobj3d")) + " " +
                                           Quote(dir.file("mnt/x.obj")) + "; echo status=\\$?; ls " + mnt +
                                           "/textures; find " + mnt + " -size 0 -name 'texture*' -printf 'empty:%f\\n'");
  EXPECT_NE(r.out.find("status=2"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("objetos3d-cli: " + dir.file("mnt/textures/")), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("No space left on device"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("empty:"), std::string::npos) << r.out;
  // Only whole textures are left: no temporary files.
  EXPECT_EQ(r.out.find(".bmp."), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find(".jpeg."), std::string::npos) << r.out;
}

TEST(BatchTool, ExportLeavesOutWildElementsAndSaysHowMany) {
  TestFolder dir;
  TIMem32 store;
  store.RecordSize = kElementRecordSize;
  store.SetCount(5);
  for (int i = 0; i < 5; ++i) {
    Element3D& e = store.As<Element3D>(i);
    e.kind = kPanel;
    e.name.assign("e" + std::to_string(i));
    e.dx = e.dy = e.dz = 1;
    e.x = i;
    e.topPercent = 100;
  }
  store.As<Element3D>(1).y = std::nan("");
  store.As<Element3D>(2).axz = HUGE_VAL;
  store.As<Element3D>(3).dz = -1e10;
  // A ruler whose counts once kept the tool drawing for good.
  store.As<Element3D>(4).kind = kCube;
  store.As<Element3D>(4).name.assign("@escala|v|100|0|99999999|0|");
  ASSERT_TRUE(WriteDocument(dir.file("wild.zobj3d"), store).ok());

  const CliRun obj = Cli("export " + Quote(dir.file("wild.zobj3d")) + " " + Quote(dir.file("wild.obj")));
  EXPECT_EQ(obj.status, 0) << obj.out;
  EXPECT_NE(obj.out.find("wild.zobj3d: 3 elements left out"), std::string::npos) << obj.out;
  EXPECT_EQ(std::count(obj.out.begin(), obj.out.end(), '\n'), 1) << obj.out;
  const std::string text = dir.read("wild.obj");
  EXPECT_NE(text.find("o e0\n"), std::string::npos);
  EXPECT_NE(text.find("o @escala"), std::string::npos);
  for (const char* absent : {"o e1", "o e2", "o e3", "nan", "NAN", "inf"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent;

  const CliRun picture = Cli("export " + Quote(dir.file("wild.zobj3d")) + " " + Quote(dir.file("wild.jpeg")));
  EXPECT_EQ(picture.status, 0) << picture.out;
  EXPECT_NE(picture.out.find("3 elements left out"), std::string::npos) << picture.out;

  // Nothing is said when nothing is left out.
  store.SetCount(1);
  ASSERT_TRUE(WriteDocument(dir.file("tame.zobj3d"), store).ok());
  const CliRun tame = Cli("export " + Quote(dir.file("tame.zobj3d")) + " " + Quote(dir.file("tame.obj")));
  EXPECT_EQ(tame.status, 0);
  EXPECT_EQ(tame.out, "");
}
