// Any byte string read as a document must neither crash nor size the store
// beyond what the bytes hold; what loads must write back and load the same.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "document/TIMem32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz-doc-" + std::to_string(::getpid()) + ".zobj3d";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  TIMem32 store("fuzz");
  store.RecordSize = kElementRecordSize;
  if (!ReadDocument(path, store).ok()) return 0;
  if (static_cast<size_t>(store.Count()) > size) std::abort();
  if (!WriteDocument(path, store).ok()) std::abort();
  TIMem32 again("fuzz2");
  again.RecordSize = kElementRecordSize;
  if (!ReadDocument(path, again).ok() || again.Count() != store.Count()) std::abort();
  if (store.Count() && std::memcmp(store.Data(), again.Data(), static_cast<size_t>(store.Count()) * 289)) std::abort();
  return 0;
}
