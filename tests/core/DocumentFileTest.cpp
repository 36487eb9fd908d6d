#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <future>
#include <tuple>
#include <vector>

#include "TestFolder.h"
#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"

namespace {
namespace fs = std::filesystem;

struct ElementStore : TIMem32 {
  explicit ElementStore(int32_t count = 0) : TIMem32("obj 3d4") {
    RecordSize = kElementRecordSize;
    SetCount(count);
  }
  Element3D& at(int i) { return As<Element3D>(i); }
};

std::string Header(int32_t count, int32_t recordSize) {
  std::string h = "ZObjeto3D 1.00";
  h.append(reinterpret_cast<const char*>(&count), 4);
  h.append(reinterpret_cast<const char*>(&recordSize), 4);
  return h;
}

std::string Stored(const TIMem32& store) {
  return std::string(reinterpret_cast<const char*>(store.Data()), static_cast<size_t>(store.Count()) * 289);
}

size_t Entries(const TestFolder& dir) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
}

}  // namespace

// Records travel as raw images (only names beyond 63 bytes are cut); a write that fails half-way
// keeps the previous file and leaves no temporary file.
TEST(DocumentFile, RoundTripKeepsEveryByteAndAFailedWriteKeepsThePreviousFile) {
  TestFolder dir;
  ElementStore store(3);
  std::memset(store.Data(), 0x5C, 3 * sizeof(Element3D));  // bytes past lengths travel too
  store.at(0).kind = 7;
  store.at(1).name.assign(std::string(70, 'n'));
  store.at(2).text.assign("\xE7\xE3o label");
  const std::string path = dir.file("a.zobj3d");
  ASSERT_TRUE(WriteDocument(path, store).ok());
  ElementStore loaded;
  ASSERT_TRUE(ReadDocument(path, loaded).ok());
  ASSERT_EQ(loaded.Count(), 3);
  EXPECT_EQ(Stored(loaded), Stored(store));
  EXPECT_EQ(loaded.at(1).name.str(), std::string(63, 'n'));
  const std::string before = dir.read("a.zobj3d");

  // A file size limit makes the write itself fail half-way, even for root.
  store.SetCount(50);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  ::getrlimit(RLIMIT_FSIZE, &oldLimit);
  rlimit small = oldLimit;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const Outcome r = WriteDocument(path, store);
  ::setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(r.status, Outcome::Failed);
  EXPECT_FALSE(r.reason.empty());
  EXPECT_EQ(dir.read("a.zobj3d"), before);
  EXPECT_EQ(Entries(dir), 1u) << "temporary file left behind";
  EXPECT_EQ(WriteDocument(dir.file("no/such/folder/x.zobj3d"), store).status, Outcome::Failed);

  ASSERT_TRUE(WriteDocument(dir.file("empty.zobj3d"), ElementStore()).ok());
  EXPECT_EQ(dir.read("empty.zobj3d"), Header(0, 289));
}

// Read from a file and from memory alike: refusals leave the store as it was, and the records
// present load fitted to 289 bytes (a zero tail for shorter ones, longer ones cut).
TEST(DocumentFile, OddAndHostileDocumentsReadTheSameFromFileAndMemory) {
  const int32_t overBound = kMaxDocumentElements + 1;  // record size 1: each byte a 289-byte element
  struct Case {
    const char* name;
    std::string bytes;
    Outcome::Status status;
    int32_t count;  // records in the store afterwards
    std::string reasonHas = "";
  };
  const Case cases[] = {
      {"empty", Header(0, 289), Outcome::Ok, 0},
      {"shorter records", Header(2, 200) + std::string(200, '\x11') + std::string(200, '\x22'), Outcome::Ok, 2},
      {"longer records", Header(2, 300) + std::string(300, '\x01') + std::string(300, '\x02'), Outcome::Ok, 2},
      {"cut short", Header(3, 289) + std::string(289 * 2 + 150, '\x04'), Outcome::Partial, 2, "2 of 3"},
      {"count beyond the file", Header(INT32_MAX, 289) + std::string(289, '\x03'), Outcome::Partial, 1},
      {"big count, little data", Header(INT32_MAX, 1) + std::string(1000, '\x05'), Outcome::Partial, 1000},
      {"beyond the memory bound", Header(overBound, 1) + std::string(static_cast<size_t>(overBound), '\x01'),
       Outcome::Refused, 2, std::to_string(kMaxDocumentElements)},
      {"tiny", "ZObjeto3D 1.00\x01", Outcome::Refused, 2, "shorter than"},
      {"another kind of file", "mtllib a.mtl\no a\nv 0 0 0\nv 1 1 1\nf 1 2 3\n", Outcome::Refused, 2, kNotADocument},
      {"another signature", "ZObjeto4D 1.00" + Header(1, 289).substr(14) + std::string(289, 'x'), Outcome::Refused, 2,
       kNotADocument},
      {"another version", "ZObjeto3D 1.01" + Header(1, 289).substr(14) + std::string(289, '\x01'), Outcome::Ok, 1},
      {"no bytes", "", Outcome::Refused, 2},
      {"negative count", Header(-1, 289), Outcome::Refused, 2},
      {"record size 0", Header(1, 0) + std::string(289, 'x'), Outcome::Refused, 2},
      {"negative record size", Header(1, -289) + std::string(289, 'x'), Outcome::Refused, 2},
  };
  TestFolder dir;
  for (const Case& c : cases) {
    dir.write("in.zobj3d", c.bytes);
    ElementStore fromFile(2), fromMemory(2);
    std::memset(fromFile.Data(), 0xFF, 2 * 289);
    std::memset(fromMemory.Data(), 0xFF, 2 * 289);
    const Outcome a = ReadDocument(dir.file("in.zobj3d"), fromFile);
    const auto* data = reinterpret_cast<const uint8_t*>(c.bytes.data());
    const Outcome b = ReadDocumentBytes(data, c.bytes.size(), fromMemory);
    EXPECT_EQ(a.status, c.status) << c.name << ": " << a.reason;
    EXPECT_EQ(std::tie(a.status, a.reason, a.recordsRead), std::tie(b.status, b.reason, b.recordsRead)) << c.name;
    EXPECT_NE(a.reason.find(c.reasonHas), std::string::npos) << c.name << ": " << a.reason;
    EXPECT_LT(fromMemory.Capacity(), c.count + 100) << c.name << ": sized by the header, not the bytes";
    // Untouched after a refusal; otherwise each record present, fitted to 289 bytes.
    std::string expected = c.status == Outcome::Refused ? std::string(2 * 289, '\xFF') : "";
    int32_t size = 0;
    if (c.status != Outcome::Refused) std::memcpy(&size, data + 18, 4);
    for (int32_t r = 0; size > 0 && r < c.count; ++r)
      expected += (c.bytes.substr(22 + static_cast<size_t>(r * size), static_cast<size_t>(std::min(size, 289))) +
                   std::string(289, '\0'))
                      .substr(0, 289);
    EXPECT_EQ(Stored(fromFile), expected) << c.name;
    EXPECT_EQ(Stored(fromMemory), expected) << c.name;
  }
  ElementStore none;
  EXPECT_EQ(ReadDocumentBytes(nullptr, 50, none).status, Outcome::Refused);
  ElementStore kept(1);
  EXPECT_EQ(ReadDocument(dir.file("nope.zobj3d"), kept).status, Outcome::Missing);
  EXPECT_EQ(kept.Count(), 1);
}

// Reading never waits on a pipe; neither reading nor writing touches what is not a regular file.
TEST(DocumentFile, PipesFoldersAndDevicesAreRefusedWithoutWaitingAndLeftAsTheyWere) {
  TestFolder dir;
  const std::string fifo = dir.file("pipe.zobj3d");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(dir.file("folder.zobj3d"));
  ASSERT_EQ(::symlink(fifo.c_str(), dir.file("to-pipe.zobj3d").c_str()), 0);
  ASSERT_EQ(::symlink(dir.file("nowhere").c_str(), dir.file("dangling.zobj3d").c_str()), 0);
  std::vector<std::string> names = {"pipe.zobj3d", "folder.zobj3d", "to-pipe.zobj3d"};
  // A node like the null device, made inside the test folder (where allowed).
  const bool device = ::mknod(dir.file("device").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
  if (device) names.push_back("device");
  for (const std::string& name : names) {
    ElementStore store(1);
    auto reading = std::async(std::launch::async, [&] { return ReadDocument(dir.file(name), store); });
    if (reading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // free the blocked reader before failing
      reading.wait();
      ADD_FAILURE() << "reading " << name << " blocked";
      continue;
    }
    const Outcome r = reading.get();
    EXPECT_EQ(r.status, Outcome::Refused) << name;
    EXPECT_FALSE(r.reason.empty()) << name;
    EXPECT_EQ(store.Count(), 1) << name;
  }
  names.push_back("dangling.zobj3d");
  for (const std::string& name : names) {
    const Outcome r = WriteDocument(dir.file(name), ElementStore(1));
    EXPECT_EQ(r.status, Outcome::Failed) << name;
    EXPECT_FALSE(r.reason.empty()) << name;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_empty(dir.file("folder.zobj3d")));
  EXPECT_FALSE(fs::exists(dir.file("nowhere")));
  if (device) {
    EXPECT_TRUE(fs::is_character_file(dir.file("device")));
  }
  EXPECT_EQ(Entries(dir), names.size()) << "temporary file left behind";

  // A link to a regular file is written through and stays a link.
  dir.write("real.zobj3d", "old");
  ASSERT_EQ(::symlink(dir.file("real.zobj3d").c_str(), dir.file("link.zobj3d").c_str()), 0);
  ASSERT_TRUE(WriteDocument(dir.file("link.zobj3d"), ElementStore(1)).ok());
  EXPECT_TRUE(fs::is_symlink(dir.file("link.zobj3d")));
  EXPECT_EQ(dir.read("real.zobj3d").size(), 311u);
}
