#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

class TIMem32;
struct Element3D;

// The type word of an element kind in the current language ("cubo"/"cube").
std::string TypeWord(int32_t kind);

// The next free name for an element of `kind` among `elements`: the type
// word followed by one more than the highest number in use for that word.
// Numbering never reuses a gap; the stored names' case is ignored.
std::string NextElementName(const TIMem32& elements, int32_t kind);

// Names for many elements appended one after another (a paste, a
// duplicate), each what NextElementName would give it, without reading
// every name again for each: the highest number of a type word is found
// once and then counted on.
class ElementNamer {
 public:
  explicit ElementNamer(const TIMem32& elements) : elements_(elements) {}
  // The name for `appended`, the last of the elements, which still holds
  // the name it was copied with (counted, as NextElementName counts it).
  std::string Next(const Element3D& appended);

 private:
  const TIMem32& elements_;
  std::unordered_map<std::string, int64_t> highest_;  // by type word
};
