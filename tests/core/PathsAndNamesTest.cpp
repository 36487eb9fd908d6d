#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "common/DataPath.h"
#include "common/FolderIndex.h"
#include "common/Latin1.h"
#include "common/PathParts.h"
#include "common/PlainFileName.h"
#include "common/TextureFolder.h"
#include "common/Utf8Text.h"

// Names read from documents must stay in their folder: no climbing, no roots, no drives, no control bytes.
TEST(PlainFileName, OnlyNamesThatStayInTheirFolderPass) {
  for (const char* good : {"red.bmp", "Brick.BMP", "texture 3.jpeg", ".hidden.jpg", "caf\xE9.bmp", "a.b.c", "~x"})
    EXPECT_TRUE(IsPlainFileName(good)) << good;
  const std::string bad[] = {"",
                             ".",
                             "..",
                             "...",
                             "../red.bmp",
                             "..\\red.bmp",
                             "../../../../tmp/x/red.bmp",
                             "..\\..\\..\\..\\tmp\\x\\red.bmp",
                             "x/../red.bmp",
                             "sub/red.bmp",
                             "sub\\red.bmp",
                             "/etc/passwd",
                             "\\\\server\\share\\red.bmp",
                             "C:red.bmp",
                             "C:\\red.bmp",
                             "red..bmp",
                             "red.bmp\n",
                             std::string("red\0.bmp", 8),
                             "\x1b[31mred.bmp",
                             "red\x7f.bmp"};
  for (const std::string& name : bad) EXPECT_FALSE(IsPlainFileName(name)) << name;
}

TEST(Utf8Text, LatinTextsTravelBothWaysUnchanged) {
  // Every byte value, so no Latin-1 character is lost on its way to a file name and back.
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  const std::string utf8 = Latin1ToUtf8(all);
  EXPECT_EQ(utf8.size(), 127u + 2 * 128u);
  EXPECT_EQ(Utf8ToLatin1(utf8), all);
  EXPECT_EQ(Latin1ToUtf8("a\xE7\xE3o"), "a\xC3\xA7\xC3\xA3o");
  EXPECT_EQ(Latin1ToUtf8(std::string("x\0y", 3)), std::string("x\0y", 3));
}

// What Latin-1 cannot hold, and every byte of a malformed sequence, becomes one '?'.
TEST(Utf8Text, WhatLatinCannotHoldBecomesOneQuestionMarkEach) {
  EXPECT_EQ(Utf8ToLatin1("\xE2\x82\xAC"
                         "5"),
            "?5");                                           // euro sign, three bytes
  EXPECT_EQ(Utf8ToLatin1("\xF0\x9F\x98\x80.txt"), "?.txt");  // four bytes
  EXPECT_EQ(Utf8ToLatin1("\xE6\x9C\xA8\xC3\xA9"), "?\xE9");  // CJK, then e acute
  EXPECT_EQ(Utf8ToLatin1("a\xE7\xE3o"), "a??o");             // Latin-1 taken for UTF-8
  EXPECT_EQ(Utf8ToLatin1("\xC3"), "?");                      // cut short
  EXPECT_EQ(Utf8ToLatin1("\xC0\xAF"), "??");                 // overlong '/'
  EXPECT_EQ(Utf8ToLatin1("\xED\xA0\x80"), "???");            // a surrogate
  EXPECT_EQ(Utf8ToLatin1("\xF4\x90\x80\x80"), "????");       // beyond U+10FFFF
}

TEST(Utf8Text, LowerFoldsTheLatinCapitalsOnly) {
  // PRÉDIO ÇÃ × Ÿ ÿ: the accented capitals fold, the sign and other letters stay.
  EXPECT_EQ(Utf8Lower("PR\xC3\x89"
                      "DIO \xC3\x87\xC3\x83 \xC3\x97 \xC5\xB8 \xC3\xBF"),
            "pr\xC3\xA9"
            "dio \xC3\xA7\xC3\xA3 \xC3\x97 \xC5\xB8 \xC3\xBF");
  std::string capitals;
  for (int c = 0xC0; c <= 0xDE; ++c) capitals += static_cast<char>(c);
  EXPECT_EQ(Utf8Lower(Latin1ToUtf8(capitals)), Latin1ToUtf8(Latin1Lower(capitals)));
}

// The data folders have been spelt VIST3D, Vist3D, TEX and tex.
TEST(DataPath, MatchesEachFolderAndFileIgnoringCase) {
  TestFolder dir;
  std::filesystem::create_directories(dir.file("VIST3D/tex"));
  dir.write("VIST3D/tex/Wood.BMP", "x");
  EXPECT_EQ(ResolveDataPath(dir.path(), "Vist3D/TEX/wood.bmp"), dir.file("VIST3D/tex/Wood.BMP"));
  EXPECT_EQ(ResolveDataPath(dir.path(), "Vist3D\\TEX\\"), dir.file("VIST3D/tex/"));
  // A name that is not there is kept as written, below what was found.
  EXPECT_EQ(ResolveDataPath(dir.path(), "vist3d/TEX/new.bmp"), dir.file("VIST3D/tex/new.bmp"));
}

// The hashed listing matches as the path resolver does, and sees files that
// arrive after it was first read.
TEST(FolderIndex, MatchesLikeTheResolverAndFollowsTheFolder) {
  TestFolder dir;
  dir.write("Wood.BMP", "x");
  dir.write("wood.bmp", "x");
  FolderIndex index(dir.path());
  EXPECT_EQ(index.Match("wood.bmp"), "wood.bmp");  // the exact name first
  EXPECT_EQ(index.Match("WOOD.bmp"), ResolveDataPath(dir.path(), "WOOD.bmp").substr(dir.path().size() + 1));
  EXPECT_EQ(index.Match("stone.jpeg"), "stone.jpeg");  // kept as written
  // A folder's time stamp may not move within its granularity; wait it out.
  struct stat before {
  }, after{};
  ::stat(dir.path().c_str(), &before);
  do {
    std::filesystem::remove(dir.file("probe"));
    dir.write("probe", "x");
    ::stat(dir.path().c_str(), &after);
  } while (after.st_mtim.tv_sec == before.st_mtim.tv_sec && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec);
  dir.write("Stone.JPEG", "x");
  EXPECT_EQ(index.Match("stone.jpeg"), "Stone.JPEG");
}

TEST(TextureFolder, JpegThenJpgThenBmpWhateverTheirNames) {
  TestFolder dir;
  for (const char* name : {"a.bmp", "b.JPG", "c.jpeg", "d.txt", "e.Jpeg", "f.bmpx"}) dir.write(name, "x");
  const std::vector<std::string> names = TextureFileNames(dir.path());
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.begin() + 2), (std::set<std::string>{"c.jpeg", "e.Jpeg"}));
  EXPECT_EQ(std::vector<std::string>(names.begin() + 2, names.end()), (std::vector<std::string>{"b.JPG", "a.bmp"}));
  EXPECT_TRUE(TextureFileNames(dir.file("missing")).empty());
}

// A dot in a folder's name is not the file's extension, and a name that is
// all extension (".obj") still has one: the save command and the dialogs
// must agree on both.
TEST(PathParts, ExtensionComesFromTheNameAlone) {
  EXPECT_EQ(ExtensionOf("a/b.c/name"), "");
  EXPECT_EQ(ExtensionOf("a/b.c/name.tar.obj"), ".obj");
  EXPECT_EQ(ExtensionOf("/x/.obj"), ".obj");
  EXPECT_EQ(ExtensionOf("name."), ".");
  EXPECT_EQ(ExtensionOf("folder/"), "");
  EXPECT_EQ(ChangeExtension("a/b.c/name.jpg", ".jpeg"), "a/b.c/name.jpeg");
  EXPECT_EQ(ChangeExtension("a/b.c/name", ".jpeg"), "a/b.c/name.jpeg");
  EXPECT_EQ(ChangeExtension("doc.ZOBJ3D", ".obj"), "doc.obj");
}

TEST(PathParts, NameAndFolderSplitAtTheLastSlashAndJoinBack) {
  for (const std::string path : {"/home/u/doc.zobj3d", "doc.zobj3d", "/doc", "a//b", "dir/", "", "caf\xC3\xA9/x y"}) {
    EXPECT_EQ(FolderPartOf(path) + FileNameOf(path), path) << path;
    EXPECT_EQ(FileNameOf(path).find('/'), std::string::npos) << path;
  }
  EXPECT_EQ(FileNameOf("/home/u/doc.zobj3d"), "doc.zobj3d");
  EXPECT_EQ(FolderPartOf("/home/u/doc.zobj3d"), "/home/u/");
  EXPECT_EQ(FolderPartOf("doc.zobj3d"), "");
  EXPECT_TRUE(EndsWith("x.obj", ".obj"));
  EXPECT_FALSE(EndsWith("x.OBJ", ".obj"));
  EXPECT_FALSE(EndsWith("bj", ".obj"));
}
