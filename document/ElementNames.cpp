#include "ElementNames.h"

#include <algorithm>
#include <charconv>

#include "Element3D.h"
#include "common/TIMem32.h"
#include "common/Dictionary.h"
#include "common/Latin1.h"

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
    case kCube: return Choose("cubo", "cube");
    case kCylinder: return Choose("cilindro", "cylinder");
    case kSphere: return Choose("esfera", "sphere");
    case kPanel: return Choose("painel", "panel");
    default: return Choose("objeto", "object");
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

std::string NextElementName(const TIMem32& elements, int32_t kind) {
  const std::string base = TypeWord(kind);
  return NumberedName(base, HighestNumber(elements, base) + 1);
}

std::string ElementNamer::Next(const Element3D& appended) {
  const std::string base = TypeWord(appended.kind);
  auto known = highest_.find(base);
  if (known == highest_.end()) {
    // The first of its word: every name, the appended one's among them.
    known = highest_.emplace(base, HighestNumber(elements_, base)).first;
  } else {
    known->second = std::max(known->second, NumberAfter(appended.name.str(), base));
  }
  return NumberedName(base, ++known->second);
}
