#include "ImageBytes.h"

#include <cstdio>

bool ReadImageBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  // Read in pieces up to the limit rather than trusting a size reported in
  // advance: the file may be a pipe or change while it is read.
  bool ok = true;
  uint8_t chunk[65536];
  for (;;) {
    const size_t n = std::fread(chunk, 1, sizeof chunk, f);
    if (n > 0) {
      if (bytes.size() + n > kMaxImageFileBytes) {
        ok = false;
        break;
      }
      bytes.insert(bytes.end(), chunk, chunk + n);
    }
    if (n < sizeof chunk) {
      ok = !std::ferror(f);
      break;
    }
  }
  std::fclose(f);
  if (!ok) bytes.clear();
  return ok;
}
