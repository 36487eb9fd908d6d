#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "common/DataPath.h"

TEST(DataPath, MatchesEachFolderAndFileIgnoringCase) {
  TestFolder dir;
  std::filesystem::create_directories(dir.file("VIST3D/tex"));
  dir.write("VIST3D/tex/Wood.BMP", "x");
  EXPECT_EQ(ResolveDataPath(dir.path(), "Vist3D/TEX/wood.bmp"), dir.file("VIST3D/tex/Wood.BMP"));
  EXPECT_EQ(ResolveDataPath(dir.path(), "Vist3D\\TEX\\"), dir.file("VIST3D/tex/"));
  // A name that is not there is kept as written, below what was found.
  EXPECT_EQ(ResolveDataPath(dir.path(), "vist3d/TEX/new.bmp"), dir.file("VIST3D/tex/new.bmp"));
}
