// Memory, ports and text-file lines.
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <tuple>
#include <utility>

#include "ScriptLibrary.h"

namespace {
using WriteFn = void(double, double, double);

// Scripts may only touch regions the host registered, within their bounds.
TEST(BoundedMemory, OnlyRegisteredRegionsWithinBounds) {
  auto readLong = Fn<NumFn2>("zemoscriptMEMORYREADLONG");
  int32_t local = 1234;
  Fn<WriteFn>("zemoscriptprocMEMORYWRITELONG")(AsNumber(&local), 0, 99);
  EXPECT_EQ(local, 1234);
  EXPECT_EQ(readLong(AsNumber(&local), 0), 0.0);
  Fn<void(int)>("ScriptMemorySetUnchecked")(1);
  EXPECT_EQ(readLong(AsNumber(&local), 0), 1234.0);
  Fn<void(int)>("ScriptMemorySetUnchecked")(0);

  auto* region = static_cast<uint8_t*>(Fn<void*(int32_t)>("ScriptMemoryAllocateRegion")(8));
  ASSERT_NE(region, nullptr);
  const double base = AsNumber(region);
  for (int i = 0; i < 8; ++i) region[i] = static_cast<uint8_t>(0xF0 + i);
  struct Read {
    const char* kind;
    double base, offset, expected;
  };
  const Read reads[] = {{"LONG", base, 4, static_cast<int32_t>(0xF7F6F5F4)},  // signed
                        {"LONG", base, 5, 0},
                        {"BYTE", base, 7, 0xF7},
                        {"BYTE", base, 8, 0},
                        {"BYTE", base, -1, 0},
                        {"BYTE", base + 1, 0, 0},
                        {"BYTE", base, 6.5, 0xF6},
                        {"WORD", base, 6, 0xF7F6},
                        {"WORD", base, 7, 0}};
  for (const auto& r : reads)
    EXPECT_EQ(Fn<NumFn2>(("zemoscriptMEMORYREAD" + std::string(r.kind)).c_str())(r.base, r.offset), r.expected)
        << r.kind << " at " << r.base - base << "+" << r.offset;

  const std::tuple<const char*, double, double> writes[] = {
      {"BYTE", 2.5, 0x1FF},  // offset 2, low 8 bits
      {"BYTE", 8, 1},       {"BYTE", -1, 1}, {"WORD", 0, 0x12345},
      {"LONG", 4, -2},      {"LONG", 5, 7},  {"DOUBLE", 1, 5}};  // these past the end are refused
  for (const auto& [kind, offset, value] : writes)
    Fn<WriteFn>(("zemoscriptprocMEMORYWRITE" + std::string(kind)).c_str())(base, offset, value);
  EXPECT_EQ(std::vector(region, region + 8), std::vector<uint8_t>({0x45, 0x23, 0xFF, 0xF3, 0xFE, 0xFF, 0xFF, 0xFF}));
  Fn<WriteFn>("zemoscriptprocMEMORYWRITEDOUBLE")(base, 0, -0.125);
  EXPECT_EQ(Fn<NumFn2>("zemoscriptMEMORYREADDOUBLE")(base, 0), -0.125);
  Fn<void(void*)>("ScriptMemoryFreeRegion")(region);
  EXPECT_EQ(readLong(base, 0), 0.0) << "no longer registered";
}

TEST(UnboundedMemory, CopyReadAndFind) {
  const double values[2] = {1.25, -8};
  EXPECT_EQ(Fn<NumFn2>("zemoscriptDCOLUMNE1")(AsNumber(values), 8), -8.0);
  char text[] = "abcdefgh";
  Fn<WriteFn>("zemoscriptprocMEMORYCOPY")(AsNumber(text), AsNumber(text + 2), 4);
  EXPECT_STREQ(text, "ababcdgh") << "overlapping ranges move correctly";
  const char data[] = "xxabcabc";
  const double base = AsNumber(data);
  auto findByte = Fn<double(double, double, double, double)>("zemoscriptMEMORYFINDBYTE");
  EXPECT_EQ(findByte(base, 0, 7, 'b'), 3.0);
  EXPECT_EQ(findByte(base, 4, 7, 'b' + 256), 6.0) << "low 8 bits";
  EXPECT_EQ(findByte(base, 5, 4, 'c'), -1.0);
  auto findText = Fn<double(double, double, double, ScriptText*)>("zemoscriptMEMORYFINDTEXT");
  TextVar abc("abc"), xxa("xxa"), empty;
  EXPECT_EQ(findText(base, 3, 7, abc), 5.0);
  EXPECT_EQ(findText(base, 3, 6, abc), -1.0) << "would end past `to`";
  EXPECT_EQ(findText(base, 0, 2, xxa), 0.0) << "only offset 0 compared";
  EXPECT_EQ(findText(base, 1, 2, xxa), -1.0);
  EXPECT_EQ(findText(base, 4, 7, empty), 4.0);
}

TEST(Ports, GoThroughTheInstalledBackend) {
  using Ports = std::map<uint16_t, uint8_t>;
  Ports ports;
  ScriptPortBackend backend{&ports, [](void* c, uint16_t port) -> int { return (*static_cast<Ports*>(c))[port]; },
                            [](void* c, uint16_t port, uint8_t value) { (*static_cast<Ports*>(c))[port] = value; }};
  Fn<void(const ScriptPortBackend*)>("ScriptPortInstall")(&backend);
  Fn<void(double, double)>("zemoscriptprocWRITEPORT")(0x378 + 0x10000, 0x1AB);  // port and value cut
  EXPECT_EQ(ports.at(0x378), 0xAB);
  EXPECT_EQ(Fn<NumFn1>("zemoscriptREADPORT")(0x378 + 0.5), 0xAB);  // 888.5 rounds to 888
  EXPECT_EQ(Fn<NumFn1>("zemoscriptREADPORT")(0x37A), 0.0);
  // The fake stays installed: nothing later in this process reaches hardware.
}

TEST(TextFileWrite, WritesWholeLinesAtTheRecordsPosition) {
  const std::string path = testing::TempDir() + "zemo_lines_" + std::to_string(getpid()) + ".txt";
  struct {
    int32_t handle, position;
  } record{open(path.c_str(), O_CREAT | O_TRUNC | O_RDWR, 0644), 0};
  ASSERT_GT(record.handle, 0);
  auto write = [&](double reference, const std::string& text) {
    TextVar line(text, static_cast<uint16_t>(text.size()));  // may be longer than a default variable
    Fn<void(double, ScriptText*)>("zemoscriptprocTEXTFILEWRITE")(reference, line);
  };
  write(0, "nothing");
  write(NAN, "nothing");
  write(AsNumber(&record), "first");
  write(AsNumber(&record), "");
  EXPECT_EQ(FileContent(path), "first\r\n\r\n");
  EXPECT_EQ(record.position, 9);
  record.position = 2;  // the record says where the next line goes
  write(AsNumber(&record), "XY");
  EXPECT_EQ(FileContent(path), "fiXY\r\n\n\r\n") << "overwritten in place";
  const int32_t handle = std::exchange(record.handle, 0);
  write(AsNumber(&record), "nothing");
  EXPECT_EQ(record.position, 6);
  record.handle = handle;
  const std::string longLine(65000, 'L');  // longer than any scratch buffer
  write(AsNumber(&record), longLine);
  EXPECT_EQ(FileContent(path).substr(6), longLine + "\r\n");
  EXPECT_EQ(record.position, 65008);
  close(record.handle);
  std::filesystem::remove(path);
}
}  // namespace
