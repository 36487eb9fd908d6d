#include <gtest/gtest.h>

#include <string>

#include "common/PlainFileName.h"

namespace {
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
}  // namespace
