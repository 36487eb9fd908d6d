// Any byte string read as a document must neither crash nor size the store
// beyond what the bytes hold; what loads, laid out again as a file of
// 289-byte records, must load the same. Read from memory, so thousands of
// inputs a second go through.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIMem32 store("fuzz");
  store.RecordSize = kElementRecordSize;
  // A document cut short may still load the whole records it holds.
  if (!ReadDocumentBytes(data, size, store).ok() && store.Count() == 0) return 0;
  // Every record loaded is at least one byte of the input.
  if (size < static_cast<size_t>(kDocumentHeaderSize) ||
      static_cast<size_t>(store.Count()) > size - kDocumentHeaderSize)
    std::abort();

  const size_t records = static_cast<size_t>(store.Count()) * kElementRecordSize;
  std::string image(kDocumentSignature, kDocumentSignatureSize);
  const int32_t header[2] = {store.Count(), kElementRecordSize};
  image.append(reinterpret_cast<const char*>(header), sizeof header);
  if (records) image.append(reinterpret_cast<const char*>(store.Data()), records);
  TIMem32 again("fuzz again");
  again.RecordSize = kElementRecordSize;
  if (!ReadDocumentBytes(reinterpret_cast<const uint8_t*>(image.data()), image.size(), again).ok() ||
      again.Count() != store.Count())
    std::abort();
  if (records && std::memcmp(store.Data(), again.Data(), records) != 0) std::abort();
  return 0;
}
