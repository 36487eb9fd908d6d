#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "common/DebugLog.h"
#include "common/FileAppend.h"
#include "common/IniFile.h"
#include "common/LocalTime.h"
#include "common/ProgramFolder.h"
#include "common/TIMem32.h"

namespace fs = std::filesystem;

TEST(IniFile, SectionsAndKeysIgnoreCaseAndValuesAreCut) {
  TestFolder dir;
  dir.write("a.ini", "[Other]\nALLOW=9\n\r\n[log]\r\n allow = 1 \r\nLong=" + std::string(100, 'v') + "\r\n");
  EXPECT_EQ(ReadIniText(dir.file("a.ini"), "LOG", "ALLOW"), "1");
  EXPECT_EQ(ReadIniText(dir.file("a.ini"), "Other", "allow"), "9");
  EXPECT_EQ(ReadIniText(dir.file("a.ini"), "LOG", "long").size(), 79u);
  EXPECT_EQ(ReadIniText(dir.file("a.ini"), "LOG", "missing"), "");
  EXPECT_EQ(ReadIniText(dir.file("none.ini"), "LOG", "ALLOW"), "");
}

TEST(AppendToFile, CreatesThenAppends) {
  TestFolder dir;
  EXPECT_TRUE(AppendToFile(dir.file("f.txt"), "ab"));
  EXPECT_TRUE(AppendToFile(dir.file("f.txt"), "cd"));
  EXPECT_EQ(dir.read("f.txt"), "abcd");
  EXPECT_FALSE(AppendToFile(dir.file("no/f.txt"), "x"));
}

TEST(DebugLog, OnlyAllowOneSwitchesItOn) {
  TestFolder dir;
  SetProgramFolderForTesting(dir.path());
  for (const char* value : {"", "2", "yes"}) {
    dir.write("log.ini", std::string("[LOG]\nALLOW=") + value + "\n");
    ResetDebugLog();
    DebugLog("nothing");
    EXPECT_FALSE(fs::exists(dir.file("log"))) << value;
  }
  dir.write("log.ini", "[LOG]\nALLOW=1\n");
  ResetDebugLog();
  DebugLog("first");
  DebugLog("second");
  const std::string name = "log/DEBUGLOG" + DateStampDDMMYYYY() + ".TXT";
  const std::string content = dir.read(name);
  EXPECT_NE(content.find(": first\r\n"), std::string::npos) << content;
  EXPECT_NE(content.find(": second\r\n"), std::string::npos);
  EXPECT_EQ(content.size(), 2 * (8 + 2 + 5 + 2) + 1);  // "hh:nn:ss: " + text + CR LF
  ResetDebugLog();
  SetProgramFolderForTesting("");
}

TEST(MemoryLog, OutOfRangeAccessIsLoggedWhenSwitchedOn) {
  TestFolder dir;
  SetProgramFolderForTesting(dir.path());
  SetMemoryLogEnabled(true);
  TIMem32 store("probe");
  store.Item(3);
  store.SetCount(2);
  store.Item(9);
  EXPECT_EQ(LastStoreAccess(), "probe ps 9");
  SetMemoryLogEnabled(false);
  SetProgramFolderForTesting("");
  const std::string log = dir.read("log/DEBUGLOGMEM" + DateStampDDMMYYYY() + ".TXT");
  EXPECT_NE(log.find(" probe reg=4 size=0 : err nil ps 3"), std::string::npos) << log;
  EXPECT_NE(log.find(" probe reg=4 size=12 : err ps 9"), std::string::npos) << log;
  EXPECT_EQ(log.substr(0, 2), "\r\n");
}
