#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

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
CliRun Cli(const std::string& args) {
  const std::string command = std::string(CLI_PATH) + " " + args + " 2>&1";
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

TEST(BatchTool, InfoKeepsOneLineOfEighteenFieldsWhateverTheTextsHold) {
  TestFolder dir;
  TIMem32 store;
  store.RecordSize = kElementRecordSize;
  store.SetCount(2);
  Element3D& e = store.As<Element3D>(0);
  e.name.assign("a\tb\nc");
  e.texture.assign("..\\tex\rx.bmp");
  e.text.assign("\\n\r\n\t");
  store.As<Element3D>(1).name.assign("plain");
  ASSERT_TRUE(WriteDocument(dir.file("d.zobj3d"), store).ok());

  const CliRun r = Cli("info " + Quote(dir.file("d.zobj3d")));
  ASSERT_EQ(r.status, 0) << r.out;
  std::vector<std::vector<std::string>> lines(1);
  std::string field;
  for (char c : r.out) {
    if (c == '\t' || c == '\n') lines.back().push_back(field), field.clear();
    else field += c;
    if (c == '\n') lines.emplace_back();
  }
  ASSERT_EQ(lines.size(), 3u) << r.out;
  ASSERT_EQ(lines[0].size(), 18u) << r.out;
  ASSERT_EQ(lines[1].size(), 18u) << r.out;
  EXPECT_TRUE(lines[2].empty());
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
  EXPECT_EQ(lines[0][2], "a\\tb\\nc");
  EXPECT_EQ(lines[0][15], "..\\\\tex\\rx.bmp");
  EXPECT_EQ(lines[0][17], "\\\\n\\r\\n\\t");  // a backslash before n stays told apart from LF
  EXPECT_EQ(lines[1][2], "plain");

  const CliRun help = Cli("--help");
  EXPECT_NE(help.out.find("\\t, \\n, \\r and \\\\"), std::string::npos) << help.out;
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
