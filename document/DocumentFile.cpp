#include "DocumentFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "Element3D.h"
#include "common/FileDescriptorIo.h"
#include "common/SafeFiles.h"
#include "common/TIMem32.h"

namespace {
// "ZObjeto3D": the signature up to its version.
constexpr size_t kSignatureChecked = 9;

std::string Why(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

int32_t ReadInt32LE(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

void WriteInt32LE(uint8_t* p, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

// Where a document's bytes come from: an open file or a block in memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `size` bytes; fewer only at the end or on a read error.
  virtual size_t Read(uint8_t* to, size_t size) = 0;
  virtual bool Broken() const { return false; }
};

class FileSource : public ByteSource {
 public:
  explicit FileSource(int fd) : fd_(fd) {}
  ~FileSource() override { ::close(fd_); }
  size_t Read(uint8_t* to, size_t size) override {
    bool failed = false;
    const size_t got = ReadFully(fd_, to, size, &failed);
    broken_ = broken_ || failed;
    return got;
  }
  bool Broken() const override { return broken_; }

 private:
  int fd_;
  bool broken_ = false;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), left_(size) {}
  size_t Read(uint8_t* to, size_t size) override {
    const size_t n = std::min(size, left_);
    if (n) std::memcpy(to, data_, n);
    data_ += n;
    left_ -= n;
    return n;
  }

 private:
  const uint8_t* data_;
  size_t left_;
};

// The one reader behind both entry points. `totalSize` is the whole
// document's length, so the store is sized from what it really holds.
Outcome ParseDocument(uint64_t totalSize, ByteSource& source, TIMem32& store) {
  if (store.RecordSize != kElementRecordSize)
    return Outcome::Error(Outcome::Failed, "the store does not hold element records");
  uint8_t header[kDocumentHeaderSize];
  if (totalSize < kDocumentHeaderSize || source.Read(header, sizeof header) != sizeof header)
    return Outcome::Error(Outcome::Refused, "shorter than the 22-byte header");
  // Any other file (an .obj, a picture) would otherwise be read as a count
  // of garbage records. The version after the name is not examined.
  if (std::memcmp(header, kDocumentSignature, kSignatureChecked) != 0)
    return Outcome::Error(Outcome::Refused, kNotADocument);
  const int32_t count = ReadInt32LE(header + 14);
  const int32_t recordSize = ReadInt32LE(header + 18);
  if (count < 0) return Outcome::Error(Outcome::Refused, "negative record count");
  if (recordSize < 1) return Outcome::Error(Outcome::Refused, "record size below 1");

  const uint64_t present = (totalSize - kDocumentHeaderSize) / static_cast<uint64_t>(recordSize);
  const auto records = static_cast<int32_t>(std::min<uint64_t>(static_cast<uint64_t>(count), present));
  if (records > kMaxDocumentElements)
    return Outcome::Error(Outcome::Refused, "holds " + std::to_string(records) + " elements, more than the " +
                                                std::to_string(kMaxDocumentElements) + " (1 GiB) a document may hold");

  store.SetCount(records);
  if (store.Count() != records) return Outcome::Error(Outcome::Failed, "out of memory");
  int32_t read = 0;
  if (records > 0) {
    uint8_t* block = store.Data();
    if (recordSize == kElementRecordSize) {
      read = static_cast<int32_t>(source.Read(block, static_cast<size_t>(records) * kElementRecordSize) /
                                  kElementRecordSize);
    } else {
      const int32_t used = std::min(recordSize, kElementRecordSize);
      if (used < kElementRecordSize) std::memset(block, 0, static_cast<size_t>(records) * kElementRecordSize);
      // Whole chunks of foreign-sized records, spread out to 289 bytes each.
      const int32_t perChunk = std::clamp<int32_t>((1 << 20) / recordSize, 1, records);
      std::vector<uint8_t> chunk(static_cast<size_t>(perChunk) * static_cast<size_t>(recordSize));
      while (read < records) {
        const int32_t want = std::min(perChunk, records - read);
        const auto got = static_cast<int32_t>(
            source.Read(chunk.data(), static_cast<size_t>(want) * static_cast<size_t>(recordSize)) /
            static_cast<size_t>(recordSize));
        for (int32_t i = 0; i < got; ++i)
          std::memcpy(block + static_cast<size_t>(read + i) * kElementRecordSize,
                      chunk.data() + static_cast<size_t>(i) * static_cast<size_t>(recordSize),
                      static_cast<size_t>(used));
        read += got;
        if (got < want) break;
      }
    }
  }
  if (read < records) store.SetCount(read);  // keep the whole records read
  Outcome result;
  result.recordsRead = read;
  result.recordsDeclared = count;
  if (source.Broken()) {
    result.status = Outcome::Failed;
    result.reason = "read error after " + std::to_string(read) + " of " + std::to_string(count) + " elements";
  } else if (read < count) {
    result.status = Outcome::Partial;
    result.reason =
        "the file ended early: " + std::to_string(read) + " of " + std::to_string(count) + " elements were read";
  }
  return result;
}
}  // namespace

void FillDocumentHeader(uint8_t header[kDocumentHeaderSize], int32_t count) {
  std::memcpy(header, kDocumentSignature, kDocumentSignatureSize);
  WriteInt32LE(header + 14, count);
  WriteInt32LE(header + 18, kElementRecordSize);
}

Outcome WriteDocument(const std::string& path, const TIMem32& store, LinkRule links) {
  if (path.empty()) return Outcome::Error(Outcome::Failed, "no file name");
  if (store.RecordSize != kElementRecordSize)
    return Outcome::Error(Outcome::Failed, "the store does not hold element records");
  ReplacementFile file(path, links);
  uint8_t header[kDocumentHeaderSize];
  FillDocumentHeader(header, store.Count());
  const size_t bodySize = static_cast<size_t>(store.Count()) * kElementRecordSize;
  const bool ok =
      file.Write(header, sizeof header) && (bodySize == 0 || file.Write(store.Data(), bodySize)) && file.Commit();
  if (!ok) return Outcome::Error(Outcome::Failed, file.Error());
  return {};
}

Outcome ReadDocument(const std::string& path, TIMem32& store) {
  struct stat st {};
  if (path.empty() || ::lstat(path.c_str(), &st) != 0) return Outcome::Error(Outcome::Missing, "no such file");
  // The kind is checked before opening: opening a pipe would wait for a writer.
  const std::string problem = ReadSourceProblem(path);
  if (!problem.empty()) return Outcome::Error(Outcome::Refused, problem);
  // Non-blocking all the same, in case the name changed in between.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Outcome::Error(Outcome::Failed, Why("cannot open the file"));
  FileSource source(fd);
  if (::fstat(fd, &st) != 0) return Outcome::Error(Outcome::Failed, Why("cannot read the file"));
  if (!S_ISREG(st.st_mode)) return Outcome::Error(Outcome::Refused, "is not a regular file");
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return ParseDocument(static_cast<uint64_t>(st.st_size), source, store);
}

Outcome ReadDocumentBytes(const uint8_t* data, size_t size, TIMem32& store) {
  MemorySource source(data, data ? size : 0);
  return ParseDocument(data ? size : 0, source, store);
}
