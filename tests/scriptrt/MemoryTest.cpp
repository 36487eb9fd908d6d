// Memory, ports and text-file lines.
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "ScriptLibrary.h"

namespace {
using ReadFn = double(double, double);
using WriteFn = void(double, double, double);

TEST(BoundedMemory, NothingRegisteredReadsZeroAndWritesNothing) {
  int32_t local = 1234;
  Fn<WriteFn>("zemoscriptprocMEMORYWRITELONG")(AsNumber(&local), 0, 99);
  EXPECT_EQ(local, 1234);
  EXPECT_EQ(Fn<ReadFn>("zemoscriptMEMORYREADLONG")(AsNumber(&local), 0), 0.0);
  Fn<void(int)>("ScriptMemorySetUnchecked")(1);
  EXPECT_EQ(Fn<ReadFn>("zemoscriptMEMORYREADLONG")(AsNumber(&local), 0), 1234.0);
  Fn<void(int)>("ScriptMemorySetUnchecked")(0);
}

TEST(BoundedMemory, RegionOfEightBytes) {
  auto* region = static_cast<uint8_t*>(Fn<void*(int32_t)>("ScriptMemoryAllocateRegion")(8));
  ASSERT_NE(region, nullptr);
  const double base = AsNumber(region);
  for (int i = 0; i < 8; ++i) region[i] = static_cast<uint8_t>(0xF0 + i);
  auto readLong = Fn<ReadFn>("zemoscriptMEMORYREADLONG");
  auto readByte = Fn<ReadFn>("zemoscriptMEMORYREADBYTE");
  EXPECT_EQ(readLong(base, 4), static_cast<double>(static_cast<int32_t>(0xF7F6F5F4)));  // signed
  EXPECT_EQ(readLong(base, 5), 0.0);
  EXPECT_EQ(readByte(base, 7), 0xF7);
  EXPECT_EQ(readByte(base, 8) + readByte(base, -1) + readByte(base + 1, 0), 0.0);
  EXPECT_EQ(readByte(base, 6.5), 0xF6);  // 6.5 rounds to 6
  EXPECT_EQ(Fn<ReadFn>("zemoscriptMEMORYREADWORD")(base, 6), 0xF7F6);
  EXPECT_EQ(Fn<ReadFn>("zemoscriptMEMORYREADWORD")(base, 7), 0.0);

  auto writeByte = Fn<WriteFn>("zemoscriptprocMEMORYWRITEBYTE");
  writeByte(base, 2.5, 0x1FF);  // offset 2, low 8 bits
  writeByte(base, 8, 1);
  writeByte(base, -1, 1);
  EXPECT_EQ(region[2], 0xFF);
  Fn<WriteFn>("zemoscriptprocMEMORYWRITEWORD")(base, 0, 0x12345);
  EXPECT_EQ(region[0] | region[1] << 8, 0x2345);
  Fn<WriteFn>("zemoscriptprocMEMORYWRITELONG")(base, 4, -2);
  Fn<WriteFn>("zemoscriptprocMEMORYWRITELONG")(base, 5, 7);  // refused
  EXPECT_EQ(readLong(base, 4), -2.0);
  Fn<WriteFn>("zemoscriptprocMEMORYWRITEDOUBLE")(base, 0, -0.125);
  Fn<WriteFn>("zemoscriptprocMEMORYWRITEDOUBLE")(base, 1, 5);  // one byte too far
  EXPECT_EQ(Fn<ReadFn>("zemoscriptMEMORYREADDOUBLE")(base, 0), -0.125);
  Fn<void(void*)>("ScriptMemoryFreeRegion")(region);
  EXPECT_EQ(readLong(base, 0), 0.0);  // no longer registered
}

TEST(UnboundedMemory, CopyReadAndFind) {
  const double values[2] = {1.25, -8};
  EXPECT_EQ(Fn<ReadFn>("zemoscriptDCOLUMNE1")(AsNumber(values), 8), -8.0);
  char text[] = "abcdefgh";
  Fn<void(double, double, double)>("zemoscriptprocMEMORYCOPY")(AsNumber(text), AsNumber(text + 2), 4);
  EXPECT_STREQ(text, "ababcdgh");  // overlapping ranges move correctly

  const char data[] = "xxabcabc";
  const double base = AsNumber(data);
  auto findByte = Fn<double(double, double, double, double)>("zemoscriptMEMORYFINDBYTE");
  EXPECT_EQ(findByte(base, 0, 7, 'b'), 3.0);
  EXPECT_EQ(findByte(base, 4, 7, 'b' + 256), 6.0);  // low 8 bits
  EXPECT_EQ(findByte(base, 5, 4, 'c'), -1.0);
  auto findText = Fn<double(double, double, double, ScriptText*)>("zemoscriptMEMORYFINDTEXT");
  TextVar abc("abc"), xxa("xxa"), empty;
  EXPECT_EQ(findText(base, 3, 7, abc), 5.0);
  EXPECT_EQ(findText(base, 3, 6, abc), -1.0);  // would end past `to`
  EXPECT_EQ(findText(base, 0, 2, xxa), 0.0);   // only offset 0 compared
  EXPECT_EQ(findText(base, 1, 2, xxa), -1.0);
  EXPECT_EQ(findText(base, 4, 7, empty), 4.0);
}

TEST(Ports, GoThroughTheInstalledBackend) {
  std::map<uint16_t, uint8_t> ports;
  using Ports = std::map<uint16_t, uint8_t>;
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

class TextFileWrite : public testing::Test {
 protected:
  void SetUp() override {
    path_ = testing::TempDir() + "zemo_lines_" + std::to_string(getpid()) + ".txt";
    record_.handle = open(path_.c_str(), O_CREAT | O_TRUNC | O_RDWR, 0644);
    ASSERT_GT(record_.handle, 0);
  }
  void TearDown() override {
    close(record_.handle);
    std::filesystem::remove(path_);
  }
  // Lines may be longer than a default text variable holds.
  void Write(double reference, const std::string& text) {
    std::vector<char> bytes(kScriptTextHeader + text.size());
    const uint16_t length = static_cast<uint16_t>(text.size());
    std::memcpy(bytes.data(), &length, 2);
    std::memcpy(bytes.data() + 2, &length, 2);
    std::memcpy(bytes.data() + kScriptTextHeader, text.data(), text.size());
    Fn<void(double, ScriptText*)>("zemoscriptprocTEXTFILEWRITE")(reference,
                                                                 reinterpret_cast<ScriptText*>(bytes.data()));
  }
  std::string Content() {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  struct {
    int32_t handle;
    int32_t position;
  } record_{};
  std::string path_;
};

TEST_F(TextFileWrite, WritesLinesAtThePosition) {
  Write(0, "nothing");
  Write(NAN, "nothing");
  Write(AsNumber(&record_), "first");
  Write(AsNumber(&record_), "");
  EXPECT_EQ(Content(), "first\r\n\r\n");
  EXPECT_EQ(record_.position, 9);
  record_.position = 2;  // the record says where the next line goes
  Write(AsNumber(&record_), "XY");
  EXPECT_EQ(Content(), "fiXY\r\n\n\r\n");  // overwritten in place
  EXPECT_EQ(record_.position, 6);
  const int32_t handle = record_.handle;
  record_.handle = 0;
  Write(AsNumber(&record_), "nothing");
  record_.handle = handle;
  EXPECT_EQ(record_.position, 6);
}

TEST_F(TextFileWrite, LinesLongerThanTheScratchBufferAreWrittenWhole) {
  const std::string line(65000, 'L');
  Write(AsNumber(&record_), line);
  EXPECT_EQ(Content(), line + "\r\n");
  EXPECT_EQ(record_.position, 65002);
}
}  // namespace
