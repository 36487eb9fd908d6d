#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A compact, exact encoding of a run of equal-sized records for undo copies.
// Records of one document are alike, so each record is XORed with the one
// before it (the first with zeros) and the result kept as alternating runs:
// a count of zero bytes, a count of literal bytes, the literal bytes. Counts
// are 7-bit varints. Any bytes at all come back exactly, padding included.
namespace record_delta {

// Appends the encoding of `bytes` bytes at `data` (records of `recordSize`
// bytes; the last may be cut short) to `out`.
void Encode(const uint8_t* data, size_t bytes, size_t recordSize, std::vector<uint8_t>& out);

// Whether `data` (`bytes` bytes) is what `encoded` (`encodedBytes`) holds,
// read straight from the encoding without decoding it into a buffer.
bool Equals(const uint8_t* encoded, size_t encodedBytes, const uint8_t* data, size_t bytes, size_t recordSize);

// Writes what `encoded` holds to `out` (`bytes` bytes); false when the
// encoding does not describe exactly that many bytes.
bool Decode(const uint8_t* encoded, size_t encodedBytes, uint8_t* out, size_t bytes, size_t recordSize);

}  // namespace record_delta
