// Exports and pictures that meet hostile names, odd targets and full disks.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "common/DataPath.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"
#include "export/ObjExport.h"
#include "gl/DocumentSave.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "gl/ViewPresets.h"
#include "tests/gl/SceneFixture.h"

namespace {
namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Files may grow to `bytes` only while this lives: a full disk, even for root.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit small = old_;
    small.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

// Names in `folder` that look like temporary files ("x.obj.Ab12Cd").
std::vector<std::string> Leftovers(const std::string& folder) {
  static const std::regex temporary(R"(.*\.(obj|mtl|jpeg|jpg|bmp)\..*|.*\.tmp~?)");
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (std::regex_match(entry.path().filename().string(), temporary)) found.push_back(entry.path());
  return found;
}

class ExportSafetyTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    folder = MakeTempFolder("safety");
    ClearTextureCache();
    // Counts the frames a save draws.
    scene.requestFrame = [this] {
      ++frames;
      DrawScene(scene);
    };
  }
  std::string Path(const std::string& name) const { return folder + "/" + name; }
  std::string folder;
  int frames = 0;
};

// The lines of `text` that are neither object nor material names.
std::string Geometry(const std::string& text) {
  std::istringstream in(text);
  std::string kept;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("o ", 0) != 0 && line.rfind("usemtl ", 0) != 0 && line.rfind("newmtl ", 0) != 0) kept += line + "\n";
  return kept;
}
}  // namespace

TEST_F(ExportSafetyTest, NamesCannotAddLinesToTheObjOrTheMtl) {
  Add("a\nv 9 9 9\nf 1 2 3\nmtllib /etc/passwd\r", kPanel);
  Add("b\x7F\x01", kCube).texture.assign("x\nmap_Kd /etc/shadow.bmp");
  Add("c", kPanel).texture.assign("../../../tmp/x/red.bmp");
  Add("d", kPanel).texture.assign("..\\..\\red.bmp");
  Add("e", kPanel).texture.assign("texture1.jpeg");
  Add("f", kPanel);
  ASSERT_TRUE(SaveDocument(scene, Path("evil.obj"), "").ok());
  const std::string obj = ReadAll(Path("evil.obj")), mtl = ReadAll(Path("evil.mtl"));
  EXPECT_EQ(obj.find('\r'), std::string::npos);
  EXPECT_EQ(mtl.find('\r'), std::string::npos);
  EXPECT_NE(obj.find("\no a_v 9 9 9_f 1 2 3_mtllib /etc/passwd_\nusemtl a_v 9 9 9_f 1 2 3_mtllib /etc/passwd_\n"),
            std::string::npos);
  EXPECT_NE(mtl.find("newmtl b__\n"), std::string::npos);
  EXPECT_EQ(obj.find("\nmtllib"), std::string::npos);
  EXPECT_EQ(obj.find("\nv 9 9 9"), std::string::npos);
  // Only the plain texture name and the elements without one get a map line.
  std::vector<std::string> maps;
  std::istringstream lines(mtl);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("map_Kd", 0) == 0) maps.push_back(line);
  EXPECT_EQ(maps, (std::vector<std::string>{"map_Kd textures/", "map_Kd textures/texture1.jpeg", "map_Kd textures/"}));

  // With plain names the geometry is the same: no face index moved.
  for (int i = 0; i < store.Count(); ++i) store.As<Element3D>(i).name.assign("plain");
  store.As<Element3D>(1).texture.assign("");
  ASSERT_TRUE(SaveDocument(scene, Path("plain.obj"), "").ok());
  EXPECT_EQ(Geometry(obj), Geometry(ReadAll(Path("plain.obj"))).replace(0, 17, "mtllib evil.mtl\n"));
}

TEST_F(ExportSafetyTest, TargetsThatAreNotFilesAreRefusedBeforeAnythingIsDrawn) {
  for (int i = 0; i < 20; ++i) Add("box" + std::to_string(i), kCube);
  ASSERT_EQ(::mkfifo(Path("pipe.obj").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(Path("sidepipe.mtl").c_str(), 0600), 0);
  fs::create_directories(Path("dir.obj/inside"));
  fs::create_directories(Path("dir.jpeg/inside"));
  fs::create_directories(Path("folder.mtl/inside"));
  WriteAll(Path("plainfile"), "not a folder");
  for (const char* name : {"pipe.obj", "sidepipe.obj", "dir.obj", "folder.obj", "missing/x.obj",
                           "plainfile/x.obj", "dir.jpeg", "missing/x.jpeg", "plainfile/x.jpeg"}) {
    frames = 0;
    const DocumentResult r = SaveDocument(scene, Path(name), "");
    EXPECT_FALSE(r.ok()) << name;
    EXPECT_FALSE(r.reason.empty()) << name;
    EXPECT_EQ(frames, 0) << name << " drew before failing";
    EXPECT_FALSE(ExportActive());
  }
  EXPECT_TRUE(fs::is_fifo(Path("pipe.obj")));
  EXPECT_TRUE(fs::is_fifo(Path("sidepipe.mtl")));
  EXPECT_FALSE(fs::exists(Path("sidepipe.obj")));
  EXPECT_FALSE(fs::exists(Path("folder.obj")));
  EXPECT_FALSE(fs::exists(Path("textures")));
  EXPECT_FALSE(fs::exists(Path("missing")));
  EXPECT_EQ(ReadAll(Path("plainfile")), "not a folder");
  EXPECT_TRUE(Leftovers(folder).empty());

  // A regular target is written without drawing: the export records the
  // frame with the drawing switched off.
  frames = 0;
  ASSERT_TRUE(SaveDocument(scene, Path("fine.obj"), "").ok());
  EXPECT_EQ(frames, 0);
  EXPECT_NE(ReadAll(Path("fine.obj")).find("o box19\n"), std::string::npos);
}

TEST_F(ExportSafetyTest, LinksAtTheOldTemporaryNamesAreNeverFollowed) {
  Add("box", kPanel);
  WriteAll(Path("victim"), "precious");
  for (const char* name : {"out.obj.tmp~", "out.mtl.tmp~"}) fs::create_symlink(Path("victim"), Path(name));
  ASSERT_TRUE(SaveDocument(scene, Path("out.obj"), "").ok());
  EXPECT_EQ(ReadAll(Path("victim")), "precious");
  EXPECT_EQ(ReadAll(Path("out.obj")).rfind("mtllib out.mtl\no box\n", 0), 0u);
}

TEST_F(ExportSafetyTest, AFullDiskLeavesThePreviousObjAndMtlBothUnchanged) {
  // Elements that draw nothing: a small OBJ, a large MTL. The OBJ fits, the MTL does not.
  for (int i = 0; i < 40; ++i) Add("empty" + std::to_string(i), 7);
  WriteAll(Path("full.obj"), "old obj");
  WriteAll(Path("full.mtl"), "old mtl");
  DocumentResult r;
  {
    FileSizeLimit limit(4096);
    r = SaveDocument(scene, Path("full.obj"), "");
  }
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.reason.find("full.mtl"), std::string::npos) << r.reason;
  EXPECT_EQ(ReadAll(Path("full.obj")), "old obj");
  EXPECT_EQ(ReadAll(Path("full.mtl")), "old mtl");
  EXPECT_FALSE(fs::exists(Path("textures")));

  // Now the OBJ itself overflows while the frame streams it out.
  store.SetCount(0);
  for (int i = 0; i < 3; ++i) Add("ball" + std::to_string(i), kSphere);
  {
    FileSizeLimit limit(4096);
    r = SaveDocument(scene, Path("full.obj"), "");
  }
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.reason.find("full.obj"), std::string::npos) << r.reason;
  EXPECT_EQ(ReadAll(Path("full.obj")), "old obj");
  EXPECT_EQ(ReadAll(Path("full.mtl")), "old mtl");
  EXPECT_TRUE(Leftovers(folder).empty());

  // And when the disk fills while earlier blocks are still being written
  // behind the drawing: many blocks of text, room for one.
  for (int i = 3; i < 1500; ++i) Add("ball" + std::to_string(i), kSphere);
  {
    FileSizeLimit limit(5 << 20);
    r = SaveDocument(scene, Path("full.obj"), "");
  }
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.reason.find("full.obj"), std::string::npos) << r.reason;
  EXPECT_EQ(ReadAll(Path("full.obj")), "old obj");
  EXPECT_TRUE(Leftovers(folder).empty());
}

TEST_F(ExportSafetyTest, TextureCopiesThatFailAreListedAndNeverLeftEmpty) {
  fs::create_directories(Path("textures"));
  WriteAll(Path("textures/texture4.bmp"), "old copy");
  DocumentResult r;
  {
    // texture1.jpeg (2.5 kB) fits; the other four program textures do not.
    FileSizeLimit limit(3000);
    r = SaveDocument(scene, Path("t.obj"), "");
  }
  EXPECT_EQ(r.status, DocumentResult::Failed);
  EXPECT_EQ(ReadAll(Path("t.obj")), "mtllib t.mtl\n");  // the export itself is written
  std::vector<std::string> failed;
  for (const auto& f : r.failedFiles) failed.push_back(fs::path(f.file).filename().string());
  std::sort(failed.begin(), failed.end());
  EXPECT_EQ(failed, (std::vector<std::string>{"texture2.jpg", "texture3.bmp", "texture4.bmp", "texture5.jpeg"}));
  EXPECT_NE(r.reason.find("texture3.bmp"), std::string::npos) << r.reason;
  EXPECT_EQ(ReadAll(Path("textures/texture4.bmp")), "old copy");
  EXPECT_EQ(ReadAll(Path("textures/texture1.jpeg")), ReadAll(DataPath("Vist3D/TEX/texture1.jpeg")));
  for (const char* name : {"texture2.jpg", "texture3.bmp", "texture5.jpeg"})
    EXPECT_FALSE(fs::exists(Path(std::string("textures/") + name))) << name;
  EXPECT_TRUE(Leftovers(folder).empty());

  // A plain file named "textures" in the way: every copy is reported.
  fs::remove_all(Path("textures"));
  WriteAll(Path("textures"), "mine");
  r = SaveDocument(scene, Path("t.obj"), "");
  EXPECT_EQ(r.failedFiles.size(), 5u);
  EXPECT_EQ(ReadAll(Path("textures")), "mine");
}

TEST_F(ExportSafetyTest, AFullDiskKeepsThePreviousPicture) {
  Add("box", kCube);
  ASSERT_TRUE(SaveDocument(scene, Path("view.jpeg"), "").ok());
  const std::string before = ReadAll(Path("view.jpeg"));
  ASSERT_GT(before.size(), 1000u);
  Add("another", kSphere).x = 3;
  DocumentResult r;
  {
    FileSizeLimit limit(before.size() / 2);
    r = SaveDocument(scene, Path("view.jpeg"), "");
  }
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.reason.find("view.jpeg"), std::string::npos) << r.reason;
  EXPECT_EQ(ReadAll(Path("view.jpeg")), before);
  EXPECT_TRUE(Leftovers(folder).empty());
}
