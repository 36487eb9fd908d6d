// Load and save of a 200,000-element document against plain sequential I/O
// of the same bytes in the same run; the ratio is the figure that counts.
// usage: bench_document_io [elements] [rounds] [folder]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/HugePages.h"
#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"

namespace {
using Clock = std::chrono::steady_clock;

double BestSeconds(int rounds, const std::function<void()>& f) {
  double best = 1e30;
  for (int i = 0; i < rounds; ++i) {
    const auto t0 = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

void PlainWrite(const std::string& path, const std::vector<char>& bytes, bool sync) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  if (sync) ::fsync(fd);
  ::close(fd);
}

void PlainRead(const std::string& path, char* into, size_t size) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0 || ::read(fd, into, size) != static_cast<ssize_t>(size)) std::abort();
  ::close(fd);
}
}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 200000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  const std::string folder = argc > 3 ? argv[3] : "/tmp";
  const std::string docPath = folder + "/bench-document.zobj3d";
  const std::string plainPath = folder + "/bench-plain.bin";

  TIMem32 elements("obj 3d4");
  elements.RecordSize = kElementRecordSize;
  elements.SetCount(count);
  for (int i = 0; i < count; ++i) {
    Element3D& e = elements.As<Element3D>(i);
    e.kind = i % 4;
    e.name.assign("elemento" + std::to_string(i));
    e.dx = e.dy = e.dz = 1 + i % 7;
    e.x = i * 0.5;
    e.texture.assign("texture3.bmp");
  }
  const size_t bytes = kDocumentHeaderSize + static_cast<size_t>(count) * kElementRecordSize;
  std::vector<char> plain(bytes, 'x');
  const double mb = static_cast<double>(bytes) / 1e6;

  const double save = BestSeconds(rounds, [&] {
    if (!WriteDocument(docPath, elements).ok()) std::abort();
  });
  const double plainSyncWrite = BestSeconds(rounds, [&] { PlainWrite(plainPath, plain, true); });
  const double plainWrite = BestSeconds(rounds, [&] { PlainWrite(plainPath, plain, false); });
  TIMem32 loaded("obj 3d4");
  loaded.RecordSize = kElementRecordSize;
  const double load = BestSeconds(rounds, [&] {
    loaded.SetCount(0);
    if (!ReadDocument(docPath, loaded).ok() || loaded.Count() != count) std::abort();
  });
  const double plainRead = BestSeconds(rounds, [&] { PlainRead(plainPath, plain.data(), plain.size()); });
  // A loader must put the bytes into new memory: the same read into a fresh
  // block (with the same huge-page advice the store uses) is the fair floor.
  const double plainFreshRead = BestSeconds(rounds, [&] {
    std::unique_ptr<char[]> fresh(new char[bytes]);
    AdviseHugePages(fresh.get(), bytes);
    PlainRead(plainPath, fresh.get(), bytes);
  });

  std::printf("%d elements, %.1f MB, best of %d\n", count, mb, rounds);
  std::printf("save  %8.1f MB/s  (plain write+fsync %8.1f MB/s, ratio %.2f; without fsync %8.1f MB/s)\n", mb / save,
              mb / plainSyncWrite, save / plainSyncWrite, mb / plainWrite);
  std::printf("load  %8.1f MB/s  (plain read into a fresh block %8.1f MB/s, ratio %.2f; into a warm one %8.1f MB/s)\n",
              mb / load, mb / plainFreshRead, load / plainFreshRead, mb / plainRead);
  std::remove(docPath.c_str());
  std::remove(plainPath.c_str());
  return 0;
}
