// Memory, ports and text-file lines.
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <utility>

#include "ScriptLibrary.h"

namespace {
using WriteFn = void(double, double, double);

// Scripts may only touch regions the host registered, within their bounds.
TEST(BoundedMemory, OnlyRegisteredRegionsWithinBounds) {
  auto readLong = Fn<NumFn2>("zemoscriptMEMORYREADLONG");
  auto writeLong = Fn<WriteFn>("zemoscriptprocMEMORYWRITELONG");
  int32_t local = 1234;
  writeLong(AsNumber(&local), 0, 99);
  EXPECT_EQ(local, 1234);
  EXPECT_EQ(readLong(AsNumber(&local), 0), 0.0);
  Fn<void(int)>("ScriptMemorySetUnchecked")(1);
  EXPECT_EQ(readLong(AsNumber(&local), 0), 1234.0);
  Fn<void(int)>("ScriptMemorySetUnchecked")(0);

  auto* region = static_cast<uint8_t*>(Fn<void*(int32_t)>("ScriptMemoryAllocateRegion")(8));
  ASSERT_NE(region, nullptr);
  const double base = AsNumber(region);
  for (int i = 0; i < 8; ++i) region[i] = static_cast<uint8_t>(0xF0 + i);
  struct Read { const char* function; double base, offset, expected; };
  const Read reads[] = {{"zemoscriptMEMORYREADLONG", base, 4, static_cast<int32_t>(0xF7F6F5F4)},  // signed
                        {"zemoscriptMEMORYREADLONG", base, 5, 0},       {"zemoscriptMEMORYREADBYTE", base, 7, 0xF7},
                        {"zemoscriptMEMORYREADBYTE", base, 8, 0},       {"zemoscriptMEMORYREADBYTE", base, -1, 0},
                        {"zemoscriptMEMORYREADBYTE", base + 1, 0, 0},   {"zemoscriptMEMORYREADBYTE", base, 6.5, 0xF6},
                        {"zemoscriptMEMORYREADWORD", base, 6, 0xF7F6},  {"zemoscriptMEMORYREADWORD", base, 7, 0}};
  for (const auto& r : reads) EXPECT_EQ(Fn<NumFn2>(r.function)(r.base, r.offset), r.expected) << r.function << " " << r.offset;

  auto writeByte = Fn<WriteFn>("zemoscriptprocMEMORYWRITEBYTE");
  writeByte(base, 2.5, 0x1FF);  // offset 2, low 8 bits
  writeByte(base, 8, 1);
  writeByte(base, -1, 1);
  EXPECT_EQ(region[2], 0xFF);
  Fn<WriteFn>("zemoscriptprocMEMORYWRITEWORD")(base, 0, 0x12345);
  EXPECT_EQ(region[0] | region[1] << 8, 0x2345);
  writeLong(base, 4, -2);
  writeLong(base, 5, 7);  // refused
  EXPECT_EQ(readLong(base, 4), -2.0);
  Fn<WriteFn>("zemoscriptprocMEMORYWRITEDOUBLE")(base, 0, -0.125);
  Fn<WriteFn>("zemoscriptprocMEMORYWRITEDOUBLE")(base, 1, 5);  // one byte too far
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
  ScriptPortBackend backend{&ports,
                            [](void* c, uint16_t port) -> int { return (*static_cast<Ports*>(c))[port]; },
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
  struct { int32_t handle, position; } record{open(path.c_str(), O_CREAT | O_TRUNC | O_RDWR, 0644), 0};
  ASSERT_GT(record.handle, 0);
  auto write = [&](double reference, const std::string& text) {
    TextVar line(text, static_cast<uint16_t>(text.size()));  // may be longer than a default variable
    Fn<void(double, ScriptText*)>("zemoscriptprocTEXTFILEWRITE")(reference, line);
  };
  auto content = [&] {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  write(0, "nothing");
  write(NAN, "nothing");
  write(AsNumber(&record), "first");
  write(AsNumber(&record), "");
  EXPECT_EQ(content(), "first\r\n\r\n");
  EXPECT_EQ(record.position, 9);
  record.position = 2;  // the record says where the next line goes
  write(AsNumber(&record), "XY");
  EXPECT_EQ(content(), "fiXY\r\n\n\r\n") << "overwritten in place";
  const int32_t handle = std::exchange(record.handle, 0);
  write(AsNumber(&record), "nothing");
  EXPECT_EQ(record.position, 6);
  record.handle = handle;
  const std::string longLine(65000, 'L');  // longer than any scratch buffer
  write(AsNumber(&record), longLine);
  EXPECT_EQ(content().substr(6), longLine + "\r\n");
  EXPECT_EQ(record.position, 65008);
  close(record.handle);
  std::filesystem::remove(path);
}
}  // namespace
