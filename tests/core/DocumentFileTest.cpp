#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <future>
#include <vector>

#include <cstring>
#include <filesystem>

#include "TestFolder.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"

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
  EXPECT_EQ(ReadDocument(dir.file("huge.zobj3d"), store).status, DocumentResult::Partial);
  EXPECT_EQ(store.Count(), 1);
  EXPECT_LT(store.Capacity(), 100);
  EXPECT_EQ(store.Item(0)[100], 0x03);

  // Three claimed, two and a half present: the half record is dropped, and
  // the result says how many of how many were read.
  dir.write("cut.zobj3d", Header(3, 289) + std::string(289 * 2 + 150, '\x04'));
  const DocumentResult cut = ReadDocument(dir.file("cut.zobj3d"), store);
  EXPECT_EQ(cut.status, DocumentResult::Partial);
  EXPECT_EQ(cut.recordsRead, 2);
  EXPECT_EQ(cut.recordsDeclared, 3);
  EXPECT_NE(cut.reason.find("2 of 3"), std::string::npos) << cut.reason;
  EXPECT_EQ(store.Count(), 2);
  EXPECT_EQ(store.Item(1)[288], 0x04);
}

TEST(DocumentFile, DocumentsBeyondTheMemoryBoundAreRefusedUntouched) {
  // Record size 1: every byte would become a 289-byte element.
  const int32_t count = kMaxDocumentElements + 1;
  std::string bytes = Header(count, 1) + std::string(static_cast<size_t>(count), '\x01');
  TestFolder dir;
  dir.write("dense.zobj3d", bytes);
  ElementStore fromFile, fromMemory;
  fromFile.SetCount(1);
  fromMemory.SetCount(1);
  fromFile.at(0).kind = fromMemory.at(0).kind = 9;
  const DocumentResult a = ReadDocument(dir.file("dense.zobj3d"), fromFile);
  const DocumentResult b =
      ReadDocumentBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), fromMemory);
  for (const DocumentResult* r : {&a, &b}) {
    EXPECT_EQ(r->status, DocumentResult::Refused);
    EXPECT_NE(r->reason.find(std::to_string(kMaxDocumentElements)), std::string::npos) << r->reason;
  }
  EXPECT_EQ(fromFile.Count(), 1);
  EXPECT_EQ(+fromFile.at(0).kind, 9);
  EXPECT_EQ(fromMemory.Count(), 1);
  EXPECT_LT(fromMemory.Capacity(), 100);

  // A header claiming more than the bound is fine when the bytes hold little.
  bytes = Header(INT32_MAX, 1) + std::string(1000, '\x02');
  EXPECT_EQ(ReadDocumentBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), fromMemory).recordsRead,
            1000);
}

TEST(DocumentFile, ReadingFromMemoryGivesWhatTheFileGives) {
  TestFolder dir;
  ElementStore cube;
  cube.SetCount(2);
  cube.at(0) = DefaultCube();
  cube.at(1) = DefaultCube();
  cube.at(1).kind = 7;
  ASSERT_TRUE(WriteDocument(dir.file("cube.zobj3d"), cube).ok());
  const std::string inputs[] = {
      dir.read("cube.zobj3d"),
      Header(2, 200) + std::string(400, '\x11'),
      Header(2, 300) + std::string(600, '\x12'),
      Header(3, 289) + std::string(289 * 2 + 3, '\x13'),
      Header(0, 289),
      Header(-1, 289),
      "ZObjeto3D",
      "",
  };
  int n = 0;
  for (const std::string& bytes : inputs) {
    const std::string name = "in" + std::to_string(n++);
    dir.write(name, bytes);
    ElementStore fromFile, fromMemory;
    const DocumentResult a = ReadDocument(dir.file(name), fromFile);
    const DocumentResult b =
        ReadDocumentBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), fromMemory);
    EXPECT_EQ(a.status, b.status) << name;
    EXPECT_EQ(a.reason, b.reason) << name;
    EXPECT_EQ(a.recordsRead, b.recordsRead) << name;
    ASSERT_EQ(fromFile.Count(), fromMemory.Count()) << name;
    if (fromFile.Count() > 0) {
      EXPECT_EQ(0, std::memcmp(fromFile.Data(), fromMemory.Data(), static_cast<size_t>(fromFile.Count()) * 289))
          << name;
    }
  }
  ElementStore none;
  EXPECT_EQ(ReadDocumentBytes(nullptr, 50, none).status, DocumentResult::Refused);
}

TEST(DocumentFile, PipesFoldersAndDevicesAreRefusedWithoutWaiting) {
  TestFolder dir;
  const std::string fifo = dir.file("pipe.zobj3d");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(dir.file("folder.zobj3d"));
  std::vector<std::string> names = {fifo, dir.file("folder.zobj3d")};
  // A character device like the null device, made inside the test folder.
  if (::mknod(dir.file("device.zobj3d").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0)
    names.push_back(dir.file("device.zobj3d"));
  ::symlink(fifo.c_str(), dir.file("link-to-pipe").c_str());
  names.push_back(dir.file("link-to-pipe"));
  for (const std::string& name : names) {
    ElementStore store;
    store.SetCount(1);
    auto reading = std::async(std::launch::async, [&] { return ReadDocument(name, store); });
    if (reading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      // Free the blocked reader before failing.
      ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
      reading.wait();
      ADD_FAILURE() << "reading " << name << " blocked";
      continue;
    }
    const DocumentResult r = reading.get();
    EXPECT_EQ(r.status, DocumentResult::Refused) << name;
    EXPECT_FALSE(r.reason.empty());
    EXPECT_EQ(store.Count(), 1) << name;
  }
}

TEST(DocumentFile, WritingOntoAPipeOrAFolderIsRefusedAndLeavesThem) {
  TestFolder dir;
  ElementStore store;
  store.SetCount(1);
  store.at(0) = DefaultCube();
  const std::string fifo = dir.file("pipe.zobj3d");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(dir.file("folder.zobj3d"));
  ::symlink(dir.file("nowhere").c_str(), dir.file("dangling.zobj3d").c_str());
  ::symlink(fifo.c_str(), dir.file("to-pipe.zobj3d").c_str());
  std::vector<std::string> names = {"pipe.zobj3d", "folder.zobj3d", "dangling.zobj3d", "to-pipe.zobj3d"};
  // A node like the null device, made inside the test folder.
  if (::mknod(dir.file("device").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) names.push_back("device");
  for (const std::string& name : names) {
    const DocumentResult r = WriteDocument(dir.file(name), store);
    EXPECT_EQ(r.status, DocumentResult::Failed) << name;
    EXPECT_FALSE(r.reason.empty()) << name;
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_empty(dir.file("folder.zobj3d")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("nowhere")));
  if (names.size() == 5) {
    EXPECT_TRUE(std::filesystem::is_character_file(dir.file("device")));
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), static_cast<long>(names.size()))
      << "temporary file left behind";

  // A link to a regular file is written through and stays a link.
  dir.write("real.zobj3d", "old");
  ::symlink(dir.file("real.zobj3d").c_str(), dir.file("link.zobj3d").c_str());
  ASSERT_TRUE(WriteDocument(dir.file("link.zobj3d"), store).ok());
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.zobj3d")));
  EXPECT_EQ(dir.read("real.zobj3d").size(), 311u);
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
