#pragma once
#include <cstdint>
#include <string>

class TIMem32;

// Reading and writing .zobj3d documents: a 22-byte header ("ZObjeto3D 1.00",
// record count, record size) followed by the raw element records.
inline constexpr char kDocumentSignature[] = "ZObjeto3D 1.00";
inline constexpr int kDocumentSignatureSize = 14;
inline constexpr int kDocumentHeaderSize = 22;

struct DocumentResult {
  enum Status { Ok, Missing, Refused, Failed };
  Status status = Ok;
  std::string reason;  // empty when Ok
  // What a read found: the records the header declared and the whole
  // records that were loaded; fewer read than declared means the file
  // ended early.
  int32_t recordsRead = 0, recordsDeclared = 0;

  bool ok() const { return status == Ok; }
  static DocumentResult Error(Status s, std::string why) { return {s, std::move(why), 0, 0}; }
};

// Writes the store's records (289 bytes each) to `path`. The image goes to a
// temporary file in the same folder first and is renamed over the target, so
// a failed write never destroys the previous file.
DocumentResult WriteDocument(const std::string& path, const TIMem32& store);

// Fills the store (record size 289) from `path`. A missing file, an
// unreadable one or a refused header (too short, negative count, record size
// below 1) leave the store untouched. Records of other sizes load: shorter
// ones with a zero tail, longer ones cut. A count larger than the file holds
// is read as the whole records present.
DocumentResult ReadDocument(const std::string& path, TIMem32& store);
