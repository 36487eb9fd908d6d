#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "common/DataPath.h"
#include "common/TextureFolder.h"

TEST(DataPath, MatchesEachFolderAndFileIgnoringCase) {
  TestFolder dir;
  std::filesystem::create_directories(dir.file("VIST3D/tex"));
  dir.write("VIST3D/tex/Wood.BMP", "x");
  EXPECT_EQ(ResolveDataPath(dir.path(), "Vist3D/TEX/wood.bmp"), dir.file("VIST3D/tex/Wood.BMP"));
  EXPECT_EQ(ResolveDataPath(dir.path(), "Vist3D\\TEX\\"), dir.file("VIST3D/tex/"));
  // A name that is not there is kept as written, below what was found.
  EXPECT_EQ(ResolveDataPath(dir.path(), "vist3d/TEX/new.bmp"), dir.file("VIST3D/tex/new.bmp"));
}

TEST(TextureFolder, JpegThenJpgThenBmpWhateverTheirNames) {
  TestFolder dir;
  for (const char* name : {"a.bmp", "b.JPG", "c.jpeg", "d.txt", "e.Jpeg", "f.bmpx"}) dir.write(name, "x");
  const std::vector<std::string> names = TextureFileNames(dir.path());
  ASSERT_EQ(names.size(), 4u);
  EXPECT_TRUE((names[0] == "c.jpeg" && names[1] == "e.Jpeg") || (names[0] == "e.Jpeg" && names[1] == "c.jpeg"));
  EXPECT_EQ(names[2], "b.JPG");
  EXPECT_EQ(names[3], "a.bmp");
  EXPECT_TRUE(TextureFileNames(dir.file("missing")).empty());
}
