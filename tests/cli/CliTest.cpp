// The batch tool end to end: what info and copy print and write, and how
// every command fails.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <functional>

#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "tests/export/CliFixture.h"

namespace {
namespace fs = std::filesystem;

class BatchTool : public CliFixture {
 protected:
  // A document of `count` elements, each set up by `fill`; its path.
  std::string WriteElements(const std::string& name, int count,
                            const std::function<void(Element3D&, int)>& fill = {}) const {
    TIMem32 store;
    store.RecordSize = kElementRecordSize;
    store.SetCount(count);
    for (int i = 0; fill && i < count; ++i) fill(store.As<Element3D>(i), i);
    EXPECT_TRUE(WriteDocument(Out(name), store).ok());
    return Out(name);
  }
};

// One line of eighteen fields per element whatever its texts hold: TAB, LF,
// CR and backslash are escaped, Latin-1 letters pass as they are.
TEST_F(BatchTool, InfoListsEveryFieldOnOneLineEach) {
  const std::string doc = WriteElements("d.zobj3d", 2, [](Element3D& e, int i) {
    if (i == 0) {
      e.name.assign("a\tb\nc");
      e.texture.assign("..\\tex\rx.bmp");
      e.text.assign("\\n\r\n\t");
      return;
    }
    e.kind = 7;
    e.name.assign(
        "caf\xE9 \xAB"
        "1\xBB");
    e.dx = 4, e.dy = 0.07, e.dz = -1.5e-7;
    e.x = 1.0 / 3, e.y = 2, e.z = -0.5;
    e.axy = 90, e.ayz = -180, e.axz = 12.25;
    e.color = 0x80000005;
    e.chamfer = 0.07, e.topPercent = 100;
    e.texture.assign("texture3.bmp");
    e.invisible = 3;
    e.text.assign("label");
  });
  const CliRun r = Run("info " + doc);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "0\t0\ta\\tb\\nc\t0\t0\t0\t0\t0\t0\t0\t0\t0\t00000000\t0\t0\t..\\\\tex\\rx.bmp\t0\t\\\\n\\r\\n\\t\n"
            "1\t7\tcaf\xE9 \xAB"
            "1\xBB\t4\t0.07\t-1.5e-07\t0.3333333333333333\t2\t-0.5\t90\t-180\t12.25\t80000005\t0.07\t100\t"
            "texture3.bmp\t3\tlabel\n");
  EXPECT_NE(Run("--help").out.find("\\t, \\n, \\r and \\\\"), std::string::npos);
}

TEST_F(BatchTool, CopyIsByteForByteAndRefusesADocumentThatEndedEarly) {
  ASSERT_EQ(Run("copy " + sample + " " + Out("copy.zobj3d")).status, 0);
  EXPECT_EQ(ReadFileBytes(Out("copy.zobj3d")), ReadFileBytes(sample));

  const auto name = [](Element3D& e, int i) { e.name.assign("e" + std::to_string(i)); };
  const std::string doc = WriteElements("d.zobj3d", 3, name);
  fs::resize_file(doc, 22 + 289 * 2 + 100);
  const CliRun info = Run("info " + doc);
  EXPECT_EQ(info.status, 2);
  EXPECT_EQ(info.out.rfind("0\t0\te0\t", 0), 0u) << info.out;
  EXPECT_NE(info.out.find("\n1\t0\te1\t"), std::string::npos) << info.out;
  EXPECT_NE(info.err.find("2 of 3 elements were read"), std::string::npos) << info.err;
  EXPECT_EQ(Run("copy " + doc + " " + Out("c.zobj3d")).status, 2);
  EXPECT_FALSE(fs::exists(Out("c.zobj3d")));
}

// Status 2 and one line that names the file; pipes and folders are refused
// at once (the timeout turns a blocking read into status 124), and nothing
// in the folder changes.
TEST_F(BatchTool, FailuresExitWithTwoAndOneLineNamingTheFile) {
  std::ofstream(Out("bad.zobj3d")) << "short";
  std::ofstream(Out("old.png")) << "old picture";
  const std::string pipe = Out("pipe.zobj3d"), dir = Out("folder.zobj3d"), old = Out("old.png");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_directory(dir);
  const struct {
    std::string args, mention;
  } cases[] = {
      {"info " + Out("missing.zobj3d"), "missing.zobj3d"},
      {"info " + Out("bad.zobj3d"), "bad.zobj3d: shorter than the 22-byte header"},
      {"info " + pipe, pipe},
      {"info " + dir, dir},
      {"info", "usage"},
      {"frobnicate", "unknown command"},
      {"copy " + sample + " " + Out("no/folder/x.zobj3d"), "x.zobj3d"},
      {"copy " + Out("missing.zobj3d") + " " + Out("y.zobj3d"), "missing.zobj3d"},
      {"copy " + pipe + " " + Out("y.zobj3d"), pipe},
      {"copy " + sample + " " + pipe, pipe},
      {"copy " + sample + " " + dir, dir},
      {"export " + Out("missing.zobj3d") + " " + Out("x.obj"), "missing.zobj3d"},
      {"export " + sample + " " + Out("no/such/folder/x.obj"), "x.obj"},
      {"export " + sample + " " + Out("no/such/folder/x.jpeg"), "x.jpeg"},
      {"export " + sample + " " + Out("no/such/folder/x.zobj3d"), "x.zobj3d"},
      {"export " + sample, "usage"},
      {"export " + sample + " " + Out("x.obj") + " --view 4", "usage"},
      {"export " + sample + " " + Out("x.obj") + " --width 0", "usage"},
      {"thumbnail " + sample + " " + old + " --size 0", "usage"},
      {"thumbnail " + sample + " " + old + " --size 5000", "usage"},
      {"thumbnail " + sample + " " + old + " --size x", "usage"},
      {"thumbnail " + sample + " " + old + " --size", "usage"},
      {"thumbnail " + sample + " " + old + " extra", "usage"},
      {"thumbnail " + Out("missing.zobj3d") + " " + old, "missing.zobj3d"},
      {"thumbnail " + sample + " " + Out("no/folder/t.png"), "t.png"},
  };
  for (const auto& c : cases) {
    const CliRun r = Run(c.args, "timeout 10 ");
    EXPECT_EQ(r.status, 2) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.mention), std::string::npos) << c.args << "\n" << r.err;
    EXPECT_EQ(LineCount(r.out + r.err), 1u) << c.args << "\n" << r.out << r.err;
  }
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_TRUE(fs::is_empty(dir));
  EXPECT_EQ(ReadFileBytes(old), "old picture");
  EXPECT_EQ(Listing(folder), (std::set<std::string>{"bad.zobj3d", "old.png", "pipe.zobj3d", "folder.zobj3d"}));
}

// A full disk for the tool alone: files may not grow past 3072 bytes, and
// the signal that would end the tool is ignored. texture1.jpeg (2.5 kB)
// fits, the other four do not; none is left empty or half written.
TEST_F(BatchTool, TextureCopiesThatFailGetALineEachAndStatusTwo) {
  const std::string doc = WriteElements("empty.zobj3d", 0);
  fs::create_directories(Out("textures"));
  std::ofstream(Out("textures/texture4.bmp")) << "old copy";
  const CliRun r = Run("export " + doc + " " + Out("out.obj"), "trap '' XFSZ; ulimit -f 6; exec ");
  EXPECT_EQ(r.status, 2) << r.err;
  // (The GL driver may add lines of its own when its cache cannot grow.)
  size_t lines = 0;
  for (size_t at = r.err.find("objetos3d-cli: "); at != std::string::npos; at = r.err.find("objetos3d-cli: ", at + 1))
    ++lines;
  EXPECT_EQ(lines, 4u) << r.err;
  for (const char* name : {"texture2.jpg", "texture3.bmp", "texture4.bmp", "texture5.jpeg"})
    EXPECT_NE(r.err.find("textures/" + std::string(name) + ": "), std::string::npos) << r.err;
  EXPECT_EQ(ReadFileBytes(Out("out.obj")), "mtllib out.mtl\n");  // the export itself is written
  EXPECT_EQ(ReadFileBytes(Out("out.mtl")), "");
  EXPECT_EQ(ReadFileBytes(Out("textures/texture1.jpeg")),
            ReadFileBytes(fs::path(CLI_PATH).parent_path() / "Vist3D/TEX/texture1.jpeg"));
  EXPECT_EQ(ReadFileBytes(Out("textures/texture4.bmp")), "old copy");
  EXPECT_EQ(Listing(folder / "textures"), (std::set<std::string>{"texture1.jpeg", "texture4.bmp"}));
  EXPECT_EQ(Listing(folder), (std::set<std::string>{"empty.zobj3d", "out.obj", "out.mtl", "textures"}));

  // A plain file named "textures" in the way: every copy is reported.
  fs::remove_all(Out("textures"));
  std::ofstream(Out("textures")) << "mine";
  const CliRun blocked = Run("export " + doc + " " + Out("out.obj"));
  EXPECT_EQ(blocked.status, 2);
  EXPECT_EQ(LineCount(blocked.err), 5u) << blocked.err;
  EXPECT_EQ(ReadFileBytes(Out("textures")), "mine");
}

// A read-only folder and a full disk, each a small file system mounted in a
// mount namespace of its own, so it vanishes with the command (root only).
TEST_F(BatchTool, ReadOnlyFoldersAndFullDisksFailWithTheirReason) {
  if (Shell("unshare -m true").status != 0) GTEST_SKIP() << "no mount namespaces here";
  const std::string mnt = Out("mnt");
  fs::create_directory(mnt);
  // Exports `document` to `out` on a fresh tmpfs at mnt, then runs `after`; all that is printed.
  const auto mounted = [&](const std::string& options, const std::string& document, const std::string& out,
                           const std::string& after = "") {
    const CliRun r = Shell("unshare -m sh -c \"mount -t tmpfs -o " + options + " none " + mnt + " && { " + CLI_PATH +
                           " export " + document + " " + mnt + "/" + out + "; echo status=\\$?; " + after + " }\"");
    return r.out + r.err;
  };
  for (const char* out : {"x.obj", "x.jpeg", "x.zobj3d"}) {
    const std::string said = mounted("ro", sample, out);
    EXPECT_NE(said.find("status=2"), std::string::npos) << out << ": " << said;
    EXPECT_NE(said.find("Read-only file system"), std::string::npos) << said;
  }

  // 64 kB hold the export of an empty document but not every texture.
  const std::string said =
      mounted("size=64k", WriteElements("empty.zobj3d", 0), "x.obj",
              "ls " + mnt + "/textures; find " + mnt + " -size 0 -name 'texture*' -printf 'empty:%f\\n';");
  EXPECT_NE(said.find("status=2"), std::string::npos) << said;
  EXPECT_NE(said.find("objetos3d-cli: " + mnt + "/textures/"), std::string::npos) << said;
  EXPECT_NE(said.find("No space left on device"), std::string::npos) << said;
  EXPECT_EQ(said.find("empty:"), std::string::npos) << said;
  // Only whole textures are left: no temporary files.
  EXPECT_EQ(said.find(".bmp."), std::string::npos) << said;
  EXPECT_EQ(said.find(".jpeg."), std::string::npos) << said;
}

// Elements with wild numbers are left out of exports (what is drawn is
// guarded with the drawing), and the tool says how many, once.
TEST_F(BatchTool, ExportLeavesOutWildElementsAndSaysHowMany) {
  const auto fill = [](Element3D& e, int i) {
    e.kind = kPanel;
    e.name.assign("e" + std::to_string(i));
    e.dx = e.dy = e.dz = 1;
    e.topPercent = 100;
    if (i == 1) e.y = std::nan("");
    if (i == 2) e.axz = HUGE_VAL;
    if (i == 3) e.dz = -1e10;
  };
  const std::string wild = WriteElements("wild.zobj3d", 4, fill);
  for (const char* out : {"wild.obj", "wild.jpeg"}) {
    const CliRun r = Run("export " + wild + " " + Out(out));
    EXPECT_EQ(r.status, 0) << out << ": " << r.err;
    EXPECT_NE(r.err.find("wild.zobj3d: 3 elements left out"), std::string::npos) << out << ": " << r.err;
    if (std::string(out) == "wild.obj") {  // (a GL driver may add lines of its own)
      EXPECT_EQ(LineCount(r.err), 1u) << r.err;
    }
  }
  EXPECT_NE(ReadFileBytes(Out("wild.obj")).find("o e0\n"), std::string::npos);
  // Nothing is said when nothing is left out.
  const CliRun tame = Run("export " + WriteElements("tame.zobj3d", 1, fill) + " " + Out("tame.obj"));
  EXPECT_EQ(tame.status, 0);
  EXPECT_EQ(tame.out + tame.err, "");
}
}  // namespace
