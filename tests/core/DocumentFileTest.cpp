#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include <cstring>
#include <filesystem>

#include "TestFolder.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "document/TIMem32.h"

namespace {
struct ElementStore : TIMem32 {
  ElementStore() : TIMem32("obj 3d4") { RecordSize = kElementRecordSize; }
  Element3D& at(int i) { return As<Element3D>(i); }
};

std::string Hex(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::string Header(int32_t count, int32_t recordSize) {
  std::string h = "ZObjeto3D 1.00";
  h.append(reinterpret_cast<const char*>(&count), 4);
  h.append(reinterpret_cast<const char*>(&recordSize), 4);
  return h;
}

Element3D DefaultCube() {
  Element3D e;
  std::memset(&e, 0, sizeof e);
  e.kind = kCube;
  e.name.assign("cubo1");
  e.dx = e.dy = e.dz = 4.0;
  e.y = 2.0;
  e.color = 0x859385;
  e.chamfer = 0.07;
  e.topPercent = 100.0;
  e.texture.assign("texture3.bmp");
  return e;
}
}  // namespace

TEST(DocumentFile, WritesTheOneCubeDocumentByteForByte) {
  TestFolder dir;
  ElementStore store;
  store.SetCount(1);
  store.at(0) = DefaultCube();
  ASSERT_TRUE(WriteDocument(dir.file("cube.zobj3d"), store).ok());

  std::string expected = Hex({0x5A, 0x4F, 0x62, 0x6A, 0x65, 0x74, 0x6F, 0x33, 0x44, 0x20, 0x31, 0x2E, 0x30, 0x30,
                              0x01, 0, 0, 0, 0x21, 0x01, 0, 0, 0, 0, 0, 0});
  expected += Hex({0x05, 0x63, 0x75, 0x62, 0x6F, 0x31}) + std::string(58, '\0');
  for (int i = 0; i < 3; ++i) expected += Hex({0, 0, 0, 0, 0, 0, 0x10, 0x40});
  expected += std::string(8, '\0') + Hex({0, 0, 0, 0, 0, 0, 0, 0x40}) + std::string(8, '\0');
  expected += std::string(24, '\0');
  expected += Hex({0x85, 0x93, 0x85, 0x00});
  expected += Hex({0xEC, 0x51, 0xB8, 0x1E, 0x85, 0xEB, 0xB1, 0x3F});
  expected += Hex({0, 0, 0, 0, 0, 0, 0x59, 0x40});
  expected += Hex({0x0C, 0x74, 0x65, 0x78, 0x74, 0x75, 0x72, 0x65, 0x33, 0x2E, 0x62, 0x6D, 0x70}) + std::string(51, '\0');
  expected += std::string(1 + 64, '\0');
  ASSERT_EQ(expected.size(), 311u);
  EXPECT_EQ(dir.read("cube.zobj3d"), expected);
}

TEST(DocumentFile, RoundTripKeepsOddKindsLongNamesAndStrayBytes) {
  TestFolder dir;
  ElementStore store;
  store.SetCount(3);
  std::memset(store.Data(), 0x5C, 3 * sizeof(Element3D));  // bytes past lengths travel too
  store.at(0).kind = 7;
  store.at(1).name.assign(std::string(70, 'n'));
  store.at(2).text.assign("\xE7\xE3o label");
  EXPECT_EQ(store.at(1).name.length, 63);
  ASSERT_TRUE(WriteDocument(dir.file("a.zobj3d"), store).ok());

  ElementStore loaded;
  ASSERT_TRUE(ReadDocument(dir.file("a.zobj3d"), loaded).ok());
  ASSERT_EQ(loaded.Count(), 3);
  EXPECT_EQ(0, std::memcmp(loaded.Data(), store.Data(), 3 * sizeof(Element3D)));
  EXPECT_EQ(int32_t{loaded.at(0).kind}, 7);
  EXPECT_EQ(loaded.at(1).name.str(), std::string(63, 'n'));
}

TEST(DocumentFile, EmptyDocumentIsJustTheHeader) {
  TestFolder dir;
  ElementStore store;
  ASSERT_TRUE(WriteDocument(dir.file("e.zobj3d"), store).ok());
  EXPECT_EQ(dir.read("e.zobj3d"), Header(0, 289));
  ElementStore loaded;
  loaded.SetCount(4);
  ASSERT_TRUE(ReadDocument(dir.file("e.zobj3d"), loaded).ok());
  EXPECT_EQ(loaded.Count(), 0);
}

TEST(DocumentFile, ShorterRecordsLoadWithAZeroTail) {
  TestFolder dir;
  std::string file = Header(2, 200);
  file += std::string(200, '\x11') + std::string(200, '\x22');
  dir.write("short.zobj3d", file);
  ElementStore store;
  store.SetCount(2);
  std::memset(store.Data(), 0xFF, 2 * sizeof(Element3D));
  ASSERT_TRUE(ReadDocument(dir.file("short.zobj3d"), store).ok());
  ASSERT_EQ(store.Count(), 2);
  for (int r = 0; r < 2; ++r) {
    const uint8_t* rec = store.Item(r);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(rec[i], r == 0 ? 0x11 : 0x22);
    for (int i = 200; i < 289; ++i) ASSERT_EQ(rec[i], 0) << "record " << r << " byte " << i;
  }
  EXPECT_EQ(int{store.at(1).invisible}, 0);
  EXPECT_TRUE(store.at(1).text.empty());
}

TEST(DocumentFile, LongerRecordsDropTheirExtraBytes) {
  TestFolder dir;
  std::string file = Header(2, 300);
  file += std::string(289, '\x01') + std::string(11, '\x7F') + std::string(289, '\x02') + std::string(11, '\x7F');
  dir.write("long.zobj3d", file);
  ElementStore store;
  ASSERT_TRUE(ReadDocument(dir.file("long.zobj3d"), store).ok());
  ASSERT_EQ(store.Count(), 2);
  EXPECT_EQ(store.Item(0)[288], 0x01);
  EXPECT_EQ(store.Item(1)[0], 0x02);
  EXPECT_EQ(store.Item(1)[288], 0x02);
}

TEST(DocumentFile, MalformedHeadersAreRefusedAndLeaveTheStore) {
  TestFolder dir;
  dir.write("tiny", "ZObjeto3D 1.00\x01");
  dir.write("negative", Header(-1, 289));
  dir.write("zerosize", Header(1, 0) + std::string(289, 'x'));
  dir.write("negsize", Header(1, -289) + std::string(289, 'x'));
  for (const char* name : {"tiny", "negative", "zerosize", "negsize"}) {
    ElementStore store;
    store.SetCount(2);
    store.at(1).kind = 42;
    const DocumentResult r = ReadDocument(dir.file(name), store);
    EXPECT_EQ(r.status, DocumentResult::Refused) << name;
    EXPECT_FALSE(r.reason.empty());
    EXPECT_EQ(store.Count(), 2) << name;
    EXPECT_EQ(int32_t{store.at(1).kind}, 42) << name;
  }
}

TEST(DocumentFile, MissingFileLeavesTheStoreUntouched) {
  TestFolder dir;
  ElementStore store;
  store.SetCount(1);
  EXPECT_EQ(ReadDocument(dir.file("nope.zobj3d"), store).status, DocumentResult::Missing);
  EXPECT_EQ(store.Count(), 1);
}

TEST(DocumentFile, CountBeyondTheFileReadsOnlyWholeRecords) {
  TestFolder dir;
  // 311 bytes claiming 2^31-1 records: one whole record is present.
  dir.write("huge.zobj3d", Header(INT32_MAX, 289) + std::string(289, '\x03'));
  ElementStore store;
  ASSERT_TRUE(ReadDocument(dir.file("huge.zobj3d"), store).ok());
  EXPECT_EQ(store.Count(), 1);
  EXPECT_LT(store.Capacity(), 100);
  EXPECT_EQ(store.Item(0)[100], 0x03);

  // Three claimed, two and a half present: the half record is dropped.
  dir.write("cut.zobj3d", Header(3, 289) + std::string(289 * 2 + 150, '\x04'));
  ASSERT_TRUE(ReadDocument(dir.file("cut.zobj3d"), store).ok());
  EXPECT_EQ(store.Count(), 2);
}

TEST(DocumentFile, FailedWriteKeepsThePreviousFileAndSaysWhy) {
  TestFolder dir;
  ElementStore store;
  store.SetCount(1);
  store.at(0) = DefaultCube();
  const std::string path = dir.file("keep.zobj3d");
  ASSERT_TRUE(WriteDocument(path, store).ok());
  const std::string before = dir.read("keep.zobj3d");

  // A file size limit makes the write itself fail half-way, even for root.
  store.SetCount(50);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  ::getrlimit(RLIMIT_FSIZE, &oldLimit);
  rlimit small = oldLimit;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const DocumentResult r = WriteDocument(path, store);
  ::setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(r.status, DocumentResult::Failed);
  EXPECT_FALSE(r.reason.empty());
  EXPECT_EQ(dir.read("keep.zobj3d"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file left behind";

  // A missing folder fails and says so.
  EXPECT_EQ(WriteDocument(dir.file("no/such/folder/x.zobj3d"), store).status, DocumentResult::Failed);
}
