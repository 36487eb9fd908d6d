#include "DocumentFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "Element3D.h"
#include "TIMem32.h"

namespace fs = std::filesystem;

namespace {
std::string Why(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

int32_t ReadInt32LE(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

void WriteInt32LE(uint8_t* p, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Where the bytes really go: a link is followed so that saving keeps it.
std::string RealTarget(const std::string& path) {
  std::error_code ec;
  if (fs::is_symlink(path, ec)) {
    auto target = fs::weakly_canonical(path, ec);
    if (!ec) return target.string();
  }
  return path;
}

mode_t NewFileMode(const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}
}  // namespace

DocumentResult WriteDocument(const std::string& path, const TIMem32& store) {
  if (path.empty()) return DocumentResult::Error(DocumentResult::Failed, "no file name");
  if (store.RecordSize != kElementRecordSize)
    return DocumentResult::Error(DocumentResult::Failed, "the store does not hold element records");
  const std::string target = RealTarget(path);
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return DocumentResult::Error(DocumentResult::Failed, Why("cannot create the file"));

  uint8_t header[kDocumentHeaderSize];
  std::memcpy(header, kDocumentSignature, kDocumentSignatureSize);
  WriteInt32LE(header + 14, store.Count());
  WriteInt32LE(header + 18, kElementRecordSize);
  const size_t bodySize = static_cast<size_t>(store.Count()) * kElementRecordSize;

  bool ok = WriteAll(fd, header, sizeof header) && (bodySize == 0 || WriteAll(fd, store.Data(), bodySize));
  std::string reason = ok ? "" : Why("cannot write the file");
  if (ok && ::fchmod(fd, NewFileMode(target)) != 0) ok = false, reason = Why("cannot set the file mode");
  if (ok && ::fsync(fd) != 0) ok = false, reason = Why("cannot flush the file");
  if (::close(fd) != 0 && ok) ok = false, reason = Why("cannot close the file");
  if (ok && std::rename(temp.c_str(), target.c_str()) != 0) ok = false, reason = Why("cannot replace the file");
  if (!ok) {
    std::remove(temp.c_str());
    return DocumentResult::Error(DocumentResult::Failed, reason);
  }
  return {};
}

DocumentResult ReadDocument(const std::string& path, TIMem32& store) {
  std::error_code ec;
  if (path.empty() || !fs::exists(path, ec))
    return DocumentResult::Error(DocumentResult::Missing, "no such file");
  if (fs::is_directory(path, ec)) return DocumentResult::Error(DocumentResult::Failed, "is a folder");
  if (store.RecordSize != kElementRecordSize)
    return DocumentResult::Error(DocumentResult::Failed, "the store does not hold element records");
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return DocumentResult::Error(DocumentResult::Failed, Why("cannot open the file"));

  uint8_t header[kDocumentHeaderSize];
  if (std::fread(header, 1, sizeof header, file.get()) != sizeof header)
    return DocumentResult::Error(DocumentResult::Refused, "shorter than the 22-byte header");
  const int32_t count = ReadInt32LE(header + 14);
  const int32_t recordSize = ReadInt32LE(header + 18);
  if (count < 0) return DocumentResult::Error(DocumentResult::Refused, "negative record count");
  if (recordSize < 1) return DocumentResult::Error(DocumentResult::Refused, "record size below 1");

  // Size the store from what the file can hold, never from the header alone.
  if (std::fseek(file.get(), 0, SEEK_END) != 0)
    return DocumentResult::Error(DocumentResult::Failed, Why("cannot read the file"));
  const long fileSize = std::ftell(file.get());
  std::fseek(file.get(), kDocumentHeaderSize, SEEK_SET);
  const int64_t present = fileSize > kDocumentHeaderSize ? (fileSize - kDocumentHeaderSize) / recordSize : 0;
  const int32_t records = static_cast<int32_t>(std::min<int64_t>(count, present));

  store.SetCount(records);
  if (store.Count() != records) return DocumentResult::Error(DocumentResult::Failed, "out of memory");
  const int32_t used = std::min(recordSize, kElementRecordSize);
  DocumentResult done;
  done.recordsDeclared = count;
  done.recordsRead = records;
  if (records == 0) return done;
  uint8_t* block = store.Data();

  int32_t read = 0;
  if (recordSize == kElementRecordSize) {
    read = static_cast<int32_t>(std::fread(block, kElementRecordSize, static_cast<size_t>(records), file.get()));
  } else {
    if (used < kElementRecordSize) std::memset(block, 0, static_cast<size_t>(records) * kElementRecordSize);
    // Read whole chunks of foreign-sized records and spread them out.
    const int32_t perChunk = std::max<int32_t>(1, (1 << 20) / recordSize);
    std::vector<uint8_t> chunk(static_cast<size_t>(perChunk) * recordSize);
    while (read < records) {
      const int32_t want = std::min(perChunk, records - read);
      const auto got = static_cast<int32_t>(std::fread(chunk.data(), recordSize, static_cast<size_t>(want), file.get()));
      for (int32_t i = 0; i < got; ++i)
        std::memcpy(block + static_cast<int64_t>(read + i) * kElementRecordSize,
                    chunk.data() + static_cast<int64_t>(i) * recordSize, static_cast<size_t>(used));
      read += got;
      if (got < want) break;
    }
  }
  if (read < records) {
    // Keep the whole records read before the file ran short.
    store.SetCount(read);
    DocumentResult early = DocumentResult::Error(DocumentResult::Failed, "the file ended early");
    early.recordsDeclared = count;
    early.recordsRead = read;
    return early;
  }
  return done;
}
