#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "common/DebugLog.h"
#include "common/IniFile.h"
#include "common/LocalTime.h"
#include "common/ProgramFolder.h"
#include "common/TIMem32.h"

// No log file unless log.ini (edited by hand: any case, spaces, CR LF) says ALLOW=1; the memory
// log names wild store accesses while it is on.
TEST(DebugLog, OnlyAllowOneSwitchesItOnAndTheMemoryLogNamesWildAccesses) {
  TestFolder dir;
  SetProgramFolderForTesting(dir.path());
  for (const char* value : {"", "2", "yes"}) {
    dir.write("log.ini", std::string("[LOG]\nALLOW=") + value + "\n");
    ResetDebugLog();
    DebugLog("nothing");
    EXPECT_FALSE(std::filesystem::exists(dir.file("log"))) << value;
  }
  dir.write("log.ini", "[Other]\nALLOW=9\n\r\n[log]\r\n allow = 1 \r\nLong=" + std::string(100, 'v') + "\r\n");
  EXPECT_EQ(ReadIniText(dir.file("log.ini"), "Other", "allow"), "9");
  EXPECT_EQ(ReadIniText(dir.file("log.ini"), "LOG", "long").size(), 79u);
  EXPECT_EQ(ReadIniText(dir.file("log.ini"), "LOG", "missing"), "");
  EXPECT_EQ(ReadIniText(dir.file("none.ini"), "LOG", "ALLOW"), "");
  ResetDebugLog();
  DebugLog("first");
  DebugLog("second");
  const std::string content = dir.read("log/DEBUGLOG" + DateStampDDMMYYYY() + ".TXT");
  EXPECT_NE(content.find(": first\r\n"), std::string::npos) << content;
  EXPECT_NE(content.find(": second\r\n"), std::string::npos) << content;
  EXPECT_EQ(content.size(), 2 * (8 + 2 + 5 + 2) + 1);  // "hh:nn:ss: " + text + CR LF
  ResetDebugLog();

  SetMemoryLogEnabled(true);
  TIMem32 store("probe");
  store.Item(3);
  store.SetCount(2);
  store.Item(9);
  EXPECT_EQ(LastStoreAccess(), "probe ps 9");
  SetMemoryLogEnabled(false);
  SetProgramFolderForTesting("");
  const std::string log = dir.read("log/DEBUGLOGMEM" + DateStampDDMMYYYY() + ".TXT");
  EXPECT_EQ(log.substr(0, 2), "\r\n");
  EXPECT_NE(log.find(" probe reg=4 size=0 : err nil ps 3"), std::string::npos) << log;
  EXPECT_NE(log.find(" probe reg=4 size=12 : err ps 9"), std::string::npos) << log;
}
