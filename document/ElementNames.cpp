#include "ElementNames.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "Element3D.h"
#include "common/Dictionary.h"
#include "common/Latin1.h"
#include "common/TIMem32.h"

namespace {
// The number after the type word; 0 unless the rest is a plain integer.
int64_t NameNumber(std::string_view rest) {
  if (!rest.empty() && rest.front() == '+') rest.remove_prefix(1);
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
  return ec == std::errc() && end == rest.data() + rest.size() ? value : 0;
}
}  // namespace

std::string TypeWord(int32_t kind) {
  switch (kind) {
    case kCube:
      return Choose("cubo", "cube");
    case kCylinder:
      return Choose("cilindro", "cylinder");
    case kSphere:
      return Choose("esfera", "sphere");
    case kPanel:
      return Choose("painel", "panel");
    default:
      return Choose("objeto", "object");
  }
}

namespace {
// The number of `name` after the type word `base`; -1 when it does not
// start with the word (case ignored).
int64_t NumberAfter(const std::string& name, const std::string& base) {
  if (name.size() < base.size() || Latin1Lower(name.substr(0, base.size())) != base) return -1;
  return NameNumber(std::string_view(name).substr(base.size()));
}

int64_t HighestNumber(const TIMem32& elements, const std::string& base) {
  int64_t maxNumber = 0;
  for (int32_t i = 0; i < elements.Count(); ++i)
    maxNumber = std::max(maxNumber, NumberAfter(elements.As<Element3D>(i).name.str(), base));
  return maxNumber;
}

std::string NumberedName(const std::string& base, int64_t number) {
  std::string result = base + std::to_string(number);
  if (result.size() > ShortString63::kCapacity) result.resize(ShortString63::kCapacity);
  return result;
}
}  // namespace

namespace {
// Every number after `base` in use, for the search of a free one.
std::unordered_set<int64_t> UsedNumbers(const TIMem32& elements, const std::string& base) {
  std::unordered_set<int64_t> used;
  for (int32_t i = 0; i < elements.Count(); ++i) {
    const int64_t n = NumberAfter(elements.As<Element3D>(i).name.str(), base);
    if (n > 0) used.insert(n);
  }
  return used;
}

int64_t LowestFree(const std::unordered_set<int64_t>& used, int64_t from) {
  while (used.count(from)) ++from;  // fewer elements than numbers: it ends
  return from;
}
}  // namespace

std::string NextElementName(const TIMem32& elements, int32_t kind) {
  const std::string base = TypeWord(kind);
  const int64_t highest = HighestNumber(elements, base);
  if (highest < std::numeric_limits<int64_t>::max()) return NumberedName(base, highest + 1);
  return NumberedName(base, LowestFree(UsedNumbers(elements, base), 1));
}

std::string ElementNamer::Next(const Element3D& appended) {
  const std::string base = TypeWord(appended.kind);
  auto known = words_.find(base);
  if (known == words_.end()) {
    // The first of its word: every name, the appended one's among them.
    known = words_.emplace(base, Numbers{}).first;
    known->second.highest = HighestNumber(elements_, base);
  } else {
    const int64_t own = NumberAfter(appended.name.str(), base);
    known->second.highest = std::max(known->second.highest, own);
    if (known->second.full && own > 0) known->second.used.insert(own);
  }
  Numbers& numbers = known->second;
  if (numbers.highest < std::numeric_limits<int64_t>::max()) return NumberedName(base, ++numbers.highest);
  if (!numbers.full) {
    numbers.used = UsedNumbers(elements_, base);
    numbers.full = true;
  }
  numbers.nextFree = LowestFree(numbers.used, numbers.nextFree);
  numbers.used.insert(numbers.nextFree);
  return NumberedName(base, numbers.nextFree);
}
