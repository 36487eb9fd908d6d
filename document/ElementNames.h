#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

class TIMem32;
struct Element3D;

// The type word of an element kind in the current language ("cubo"/"cube").
std::string TypeWord(int32_t kind);

// The next free name for an element of `kind` among `elements`: the type
// word followed by one more than the highest number in use for that word.
// Numbering never reuses a gap; the stored names' case is ignored. Past the
// highest number a name can carry (9223372036854775807), the lowest number
// no element of the word uses is taken instead.
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
  struct Numbers {
    int64_t highest = 0;
    // Once the highest number is the largest there is: every number in use,
    // and where the search for a free one goes on.
    std::unordered_set<int64_t> used;
    int64_t nextFree = 1;
    bool full = false;
  };
  const TIMem32& elements_;
  std::unordered_map<std::string, Numbers> words_;  // by type word
};
