// Exports and pictures that meet odd targets and full disks.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <regex>
#include <stdexcept>

#include "export/ObjExport.h"
#include "gl/DrawWrappers.h"
#include "gl/SceneRecording.h"
#include "tests/FileSizeLimit.h"
#include "tests/export/ExportFixture.h"

namespace {
namespace fs = std::filesystem;

// Names in `folder` that look like temporary files ("x.obj.Ab12Cd").
std::vector<std::string> Leftovers(const std::string& folder) {
  static const std::regex temporary(R"(.*\.(obj|mtl|jpeg|jpg|bmp)\..*|.*\.tmp~?)");
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (std::regex_match(entry.path().filename().string(), temporary)) found.push_back(entry.path());
  return found;
}

class ExportSafetyTest : public ExportFixture {
 protected:
  void SetUp() override {
    ExportFixture::SetUp();
    scene.requestFrame = [this] {
      ++frames;
      DrawScene(scene);
    };
  }
  Outcome SaveOnFullDisk(const std::string& name, rlim_t room) {
    FileSizeLimit limit(room);
    return SaveDocument(scene, Path(name), "");
  }
  int frames = 0;
};

TEST_F(ExportSafetyTest, TargetsThatAreNotFilesAreRefusedBeforeAnythingIsDrawn) {
  for (int i = 0; i < 20; ++i) Add("box" + std::to_string(i), kCube);
  ASSERT_EQ(::mkfifo(Path("pipe.obj").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(Path("sidepipe.mtl").c_str(), 0600), 0);
  fs::create_directories(Path("dir.obj/inside"));
  fs::create_directories(Path("dir.jpeg/inside"));
  fs::create_directories(Path("folder.mtl/inside"));
  WriteAll(Path("plainfile"), "not a folder");
  for (const char* name : {"pipe.obj", "sidepipe.obj", "dir.obj", "folder.obj", "missing/x.obj", "plainfile/x.obj",
                           "dir.jpeg", "missing/x.jpeg", "plainfile/x.jpeg"}) {
    frames = 0;
    const Outcome r = SaveDocument(scene, Path(name), "");
    EXPECT_FALSE(r.ok()) << name;
    EXPECT_FALSE(r.reason.empty()) << name;
    EXPECT_EQ(frames, 0) << name << " drew before failing";
    EXPECT_TRUE(DrawingToGL()) << name;
  }
  EXPECT_TRUE(fs::is_fifo(Path("pipe.obj")));
  EXPECT_TRUE(fs::is_fifo(Path("sidepipe.mtl")));
  for (const char* absent : {"sidepipe.obj", "folder.obj", "textures", "missing"})
    EXPECT_FALSE(fs::exists(Path(absent))) << absent;
  EXPECT_EQ(ReadAll(Path("plainfile")), "not a folder");
  EXPECT_TRUE(Leftovers(folder).empty());
}

// However an export run is left before its files are written (a fault
// while the frame is drawn), it leaves nothing of its own, the old files as
// they were, and drawing to the view; the next export writes whole.
TEST_F(ExportSafetyTest, AnExportLeftUnfinishedLeavesNothingBehind) {
  Add("box", kCube);
  WriteAll(Path("scene.obj"), "old obj");
  WriteAll(Path("scene.mtl"), "old mtl");
  for (const bool begun : {false, true}) {
    try {
      ObjExport run(Path("scene.obj"));
      ASSERT_TRUE(run.Ready().ok());
      if (begun) {
        run.BeginExport();
        RecordScene(scene, run.DrawingCanvas());
      }
      throw std::runtime_error("the frame failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadAll(Path("scene.obj")), "old obj") << begun;
    EXPECT_EQ(ReadAll(Path("scene.mtl")), "old mtl") << begun;
    EXPECT_TRUE(Leftovers(folder).empty()) << begun;
    EXPECT_TRUE(DrawingToGL()) << begun;
  }
  Save("scene.obj");
  EXPECT_EQ(ReadAll(Path("scene.obj")).rfind("mtllib scene.mtl\no box\n", 0), 0u);
  EXPECT_NE(ReadAll(Path("scene.mtl")).find("newmtl box\n"), std::string::npos);
  EXPECT_EQ(frames, 0) << "an export draws no frame";
}

// Whichever file the disk fills on, the previous OBJ and MTL stay as they were.
TEST_F(ExportSafetyTest, AFullDiskLeavesThePreviousObjAndMtlBothUnchanged) {
  // Elements that draw nothing: a small OBJ, a large MTL. The OBJ fits, the MTL does not.
  for (int i = 0; i < 40; ++i) Add("empty" + std::to_string(i), 7);
  WriteAll(Path("full.obj"), "old obj");
  WriteAll(Path("full.mtl"), "old mtl");
  Outcome r = SaveOnFullDisk("full.obj", 4096);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.reason.find("full.mtl"), std::string::npos) << r.reason;
  EXPECT_EQ(ReadAll(Path("full.obj")), "old obj");
  EXPECT_EQ(ReadAll(Path("full.mtl")), "old mtl");
  EXPECT_FALSE(fs::exists(Path("textures")));

  // The OBJ itself overflows while the frame streams it out.
  store.SetCount(0);
  for (int i = 0; i < 3; ++i) Add("ball" + std::to_string(i), kSphere);
  r = SaveOnFullDisk("full.obj", 4096);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.reason.find("full.obj"), std::string::npos) << r.reason;
  EXPECT_EQ(ReadAll(Path("full.obj")), "old obj");
  EXPECT_EQ(ReadAll(Path("full.mtl")), "old mtl");
  EXPECT_TRUE(Leftovers(folder).empty());

  // The disk fills while earlier blocks are still being written behind the
  // drawing: many blocks of text, room for one.
  for (int i = 3; i < 1500; ++i) Add("ball" + std::to_string(i), kSphere);
  r = SaveOnFullDisk("full.obj", 5 << 20);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.reason.find("full.obj"), std::string::npos) << r.reason;
  EXPECT_EQ(ReadAll(Path("full.obj")), "old obj");
  EXPECT_TRUE(Leftovers(folder).empty());
}

TEST_F(ExportSafetyTest, AFullDiskKeepsThePreviousPicture) {
  Add("box", kCube);
  const std::string before = ReadAll(Save("view.jpeg"));
  ASSERT_GT(before.size(), 1000u);
  Add("another", kSphere).x = 3;
  const Outcome r = SaveOnFullDisk("view.jpeg", before.size() / 2);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.reason.find("view.jpeg"), std::string::npos) << r.reason;
  EXPECT_EQ(ReadAll(Path("view.jpeg")), before);
  EXPECT_TRUE(Leftovers(folder).empty());
}
}  // namespace
