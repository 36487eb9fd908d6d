#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/Outcome.h"
#include "common/SafeFiles.h"

class TIMem32;

// Reading and writing .zobj3d documents: a 22-byte header ("ZObjeto3D 1.00",
// record count, record size) followed by the raw element records.
inline constexpr char kDocumentSignature[] = "ZObjeto3D 1.00";
inline constexpr int kDocumentSignatureSize = 14;
inline constexpr int kDocumentHeaderSize = 22;
// Why a file that does not begin with the signature is refused.
inline constexpr char kNotADocument[] = "not a document of this editor";
// Why an output that is the very file it is made from is refused.
inline constexpr char kOutputIsInput[] = "is the document itself: writing it would destroy the document";

// The most elements a document may bring into memory: 1 GiB of 289-byte
// records (3,715,337). A document holding more is refused before anything
// is allocated, whatever its record size.
inline constexpr int64_t kMaxDocumentBytes = int64_t{1} << 30;
inline constexpr int32_t kMaxDocumentElements = static_cast<int32_t>(kMaxDocumentBytes / 289);

// Writes the store's records (289 bytes each) to `path`. The image goes to a
// temporary file created exclusively in the same folder, is flushed to disk
// and renamed over the target, so a failed write never destroys the previous
// file. A link is followed; anything but a regular file (a pipe, a device, a
// folder) is refused untouched.
// LinkRule::Replace puts the document in place of a link at `path` instead.
Outcome WriteDocument(const std::string& path, const TIMem32& store, LinkRule links = LinkRule::Follow);

// The header of a document of `count` element records, for writers that
// put the bytes on disk themselves.
void FillDocumentHeader(uint8_t header[kDocumentHeaderSize], int32_t count);

// Fills the store (record size 289) from `path`. A missing file, anything
// but a regular file (checked before opening, so a pipe never blocks), an
// unreadable file, a file without the "ZObjeto3D" signature (kNotADocument),
// a refused header (too short, negative count, record size
// below 1) or more than kMaxDocumentElements records leave the store
// untouched. Records of other sizes load: shorter ones with a zero tail,
// longer ones cut. A count larger than the file holds loads the whole
// records present and gives Partial.
Outcome ReadDocument(const std::string& path, TIMem32& store);

// The same reading from bytes in memory; never touches the disk.
Outcome ReadDocumentBytes(const uint8_t* data, size_t size, TIMem32& store);
