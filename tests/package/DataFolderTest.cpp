// Where an installed or a built program finds its data folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/DataPath.h"
#include "common/ProgramFolder.h"

namespace {
namespace fs = std::filesystem;

class DataFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("obj3d_datafolder_" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/objetos3d/Vist3D/TEX");
  }
  void TearDown() override {
    SetProgramFolderForTesting("");
    fs::remove_all(root);
  }
  fs::path root;
};

TEST_F(DataFolderTest, InstalledProgramUsesShareBesideItsBinFolder) {
  SetProgramFolderForTesting((root / "usr/bin").string());
  const std::string share = (root / "usr/share/objetos3d/").string();
  EXPECT_EQ(DataFolder(), share);
  EXPECT_EQ(DataPath("Vist3D/tex/"), share + "Vist3D/TEX/");
}

TEST_F(DataFolderTest, DataBesideTheProgramComesFirst) {
  fs::create_directories(root / "usr/bin/Vist3D");
  SetProgramFolderForTesting((root / "usr/bin").string());
  EXPECT_EQ(DataFolder(), (root / "usr/bin/").string());
  // A program outside a bin/ folder never looks elsewhere.
  fs::create_directories(root / "opt/share/objetos3d");
  SetProgramFolderForTesting((root / "opt/tool").string());
  EXPECT_EQ(DataFolder(), (root / "opt/tool/").string());
  // Nor does one whose prefix has no data folder.
  fs::remove_all(root / "usr/bin/Vist3D");
  fs::remove_all(root / "usr/share");
  SetProgramFolderForTesting((root / "usr/bin").string());
  EXPECT_EQ(DataFolder(), (root / "usr/bin/").string());
}
}  // namespace
