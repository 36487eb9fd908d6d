#include "RecordDelta.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace record_delta {
namespace {

// Runs are found and checked eight bytes at a time; a byte's place in a
// word depends on the byte order.
uint64_t Load(const uint8_t* p) {
  uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

void Store(uint8_t* p, uint64_t w) { std::memcpy(p, &w, sizeof w); }

// Index of the first (lowest-addressed) non-zero byte of a non-zero word.
size_t FirstNonZeroByte(uint64_t w) {
  if constexpr (std::endian::native == std::endian::little) return static_cast<size_t>(std::countr_zero(w)) / 8;
  return static_cast<size_t>(std::countl_zero(w)) / 8;
}

// How many bytes at the end (highest addresses) of a non-zero word are zero.
size_t ZeroBytesAtEnd(uint64_t w) {
  if constexpr (std::endian::native == std::endian::little) return static_cast<size_t>(std::countl_zero(w)) / 8;
  return static_cast<size_t>(std::countr_zero(w)) / 8;
}

// The first `n` (1..7) bytes of a word.
uint64_t FirstBytesMask(size_t n) {
  const uint64_t low = (uint64_t{1} << (8 * n)) - 1;
  if constexpr (std::endian::native == std::endian::little) return low;
  return ~(~uint64_t{0} >> (8 * n));
}

void PutCount(std::vector<uint8_t>& out, size_t n) {
  for (; n >= 0x80; n >>= 7) out.push_back(static_cast<uint8_t>(n | 0x80));
  out.push_back(static_cast<uint8_t>(n));
}

inline bool GetCount(const uint8_t*& p, const uint8_t* end, size_t& n) {
  if (p < end && *p < 0x80) {  // most counts fit in one byte
    n = *p++;
    return true;
  }
  n = 0;
  for (unsigned shift = 0; p < end && shift < 64; shift += 7) {
    const uint8_t b = *p++;
    n |= static_cast<size_t>(b & 0x7f) << shift;
    if (!(b & 0x80)) return true;
  }
  return false;
}

// Reads the next run's counts, checked against what is left on both sides.
inline bool NextRun(const uint8_t*& p, const uint8_t* end, size_t pos, size_t bytes, size_t& zeros, size_t& literal) {
  if (!GetCount(p, end, zeros) || !GetCount(p, end, literal)) return false;
  return zeros <= bytes - pos && literal <= bytes - pos - zeros && literal <= static_cast<size_t>(end - p);
}

// Bytes [at, at + n) of the first record are the encoded bytes themselves;
// later bytes are XORed with the byte one record back.
bool ZerosMatch(const uint8_t* data, size_t at, size_t n, size_t recordSize) {
  const size_t end = at + n;
  if (at < recordSize) {
    const size_t head = std::min(end, recordSize);
    for (; at + 8 <= head; at += 8)
      if (Load(data + at)) return false;
    for (; at < head; ++at)
      if (data[at]) return false;
  }
  return at >= end || std::memcmp(data + at, data + at - recordSize, end - at) == 0;
}

// `dataEnd` and `literalEnd` bound what may be read past the literal: its
// last few bytes are checked as one word where a whole word can be read.
bool LiteralMatches(const uint8_t* literal, const uint8_t* literalEnd, const uint8_t* data, size_t dataEnd, size_t at,
                    size_t n, size_t recordSize) {
  const size_t end = at + n;
  if (at < recordSize) {
    const size_t head = std::min(end, recordSize) - at;
    if (std::memcmp(literal, data + at, head) != 0) return false;
    literal += head;
    at += head;
  }
  for (; at + 8 <= end; at += 8, literal += 8)
    if (Load(literal) != (Load(data + at) ^ Load(data + at - recordSize))) return false;
  if (at == end) return true;
  if (at + 8 <= dataEnd && literal + 8 <= literalEnd)
    return ((Load(literal) ^ Load(data + at) ^ Load(data + at - recordSize)) & FirstBytesMask(end - at)) == 0;
  for (; at < end; ++at, ++literal)
    if (*literal != (data[at] ^ data[at - recordSize])) return false;
  return true;
}

void WriteZeros(uint8_t* out, size_t at, size_t n, size_t recordSize) {
  const size_t end = at + n;
  if (at < recordSize) {
    const size_t head = std::min(end, recordSize) - at;
    std::memset(out + at, 0, head);
    at += head;
  }
  // A run longer than a record repeats the record: copy at most a record at
  // a time so that source and target never overlap.
  while (at < end) {
    const size_t m = std::min(end - at, recordSize);
    std::memcpy(out + at, out + at - recordSize, m);
    at += m;
  }
}

void WriteLiteral(const uint8_t* literal, uint8_t* out, size_t at, size_t n, size_t recordSize) {
  const size_t end = at + n;
  if (at < recordSize) {
    const size_t head = std::min(end, recordSize) - at;
    std::memcpy(out + at, literal, head);
    literal += head;
    at += head;
  }
  if (recordSize >= 8)  // the word one record back is then already written
    for (; at + 8 <= end; at += 8, literal += 8) Store(out + at, Load(literal) ^ Load(out + at - recordSize));
  for (; at < end; ++at, ++literal) out[at] = *literal ^ out[at - recordSize];
}

}  // namespace

void Encode(const uint8_t* data, size_t bytes, size_t recordSize, std::vector<uint8_t>& out) {
  if (bytes == 0 || recordSize == 0) return;
  // The XORed bytes, with a word of zeros after them so that whole words can
  // be read up to the end.
  const std::unique_ptr<uint8_t[]> xored(new uint8_t[bytes + 8]);  // every byte is written below
  uint8_t* x = xored.get();
  const size_t head = std::min(bytes, recordSize);
  std::memcpy(x, data, head);
  size_t i = head;
  for (; i + 8 <= bytes; i += 8) Store(x + i, Load(data + i) ^ Load(data + i - recordSize));
  for (; i < bytes; ++i) x[i] = data[i] ^ data[i - recordSize];
  std::memset(x + bytes, 0, 8);

  for (size_t pos = 0; pos < bytes;) {
    size_t zerosEnd = pos;
    for (;;) {
      const uint64_t w = Load(x + zerosEnd);
      if (w) {
        zerosEnd += FirstNonZeroByte(w);
        break;
      }
      zerosEnd += 8;
      if (zerosEnd >= bytes) break;
    }
    zerosEnd = std::min(zerosEnd, bytes);
    // The literal ends where eight zero bytes follow its last non-zero byte:
    // shorter gaps cost more in counts than they save.
    size_t literalEnd = zerosEnd;
    while (literalEnd < bytes) {
      const uint64_t w = Load(x + literalEnd);
      if (!w) break;
      literalEnd += 8 - ZeroBytesAtEnd(w);
    }
    literalEnd = std::min(literalEnd, bytes);
    PutCount(out, zerosEnd - pos);
    PutCount(out, literalEnd - zerosEnd);
    out.insert(out.end(), x + zerosEnd, x + literalEnd);
    pos = literalEnd;
  }
}

bool Equals(const uint8_t* encoded, size_t encodedBytes, const uint8_t* data, size_t bytes, size_t recordSize) {
  if (recordSize == 0) return false;
  const uint8_t* p = encoded;
  const uint8_t* const end = encoded + encodedBytes;
  for (size_t pos = 0; pos < bytes;) {
    size_t zeros = 0, literal = 0;
    if (!NextRun(p, end, pos, bytes, zeros, literal)) return false;
    if (!ZerosMatch(data, pos, zeros, recordSize)) return false;
    pos += zeros;
    if (!LiteralMatches(p, end, data, bytes, pos, literal, recordSize)) return false;
    pos += literal;
    p += literal;
  }
  return p == end;
}

bool Decode(const uint8_t* encoded, size_t encodedBytes, uint8_t* out, size_t bytes, size_t recordSize) {
  if (recordSize == 0) return bytes == 0;
  const uint8_t* p = encoded;
  const uint8_t* const end = encoded + encodedBytes;
  for (size_t pos = 0; pos < bytes;) {
    size_t zeros = 0, literal = 0;
    if (!NextRun(p, end, pos, bytes, zeros, literal)) return false;
    WriteZeros(out, pos, zeros, recordSize);
    pos += zeros;
    WriteLiteral(p, out, pos, literal, recordSize);
    pos += literal;
    p += literal;
  }
  return p == end;
}

}  // namespace record_delta
