#include "ElementNames.h"

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

std::string NextElementName(const TIMem32& elements, int32_t kind) {
  const std::string base = TypeWord(kind);
  int64_t maxNumber = 0;
  for (int32_t i = 0; i < elements.Count(); ++i) {
    const std::string name = elements.As<Element3D>(i).name.str();
    if (name.size() < base.size() || Latin1Lower(name.substr(0, base.size())) != base) continue;
    const int64_t n = NameNumber(std::string_view(name).substr(base.size()));
    if (n >= maxNumber) maxNumber = n;
  }
  std::string result = base + std::to_string(maxNumber + 1);
  if (result.size() > ShortString63::kCapacity) result.resize(ShortString63::kCapacity);
  return result;
}
