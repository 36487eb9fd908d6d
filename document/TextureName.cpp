#include "TextureName.h"

#include <string>

#include "Element3D.h"
#include "common/Utf8Text.h"

bool FitsTextureField(std::string_view fileName) {
  const std::string stored = Utf8ToLatin1(fileName);
  return !stored.empty() && stored.size() <= static_cast<size_t>(decltype(Element3D::texture)::kCapacity) &&
         Latin1ToUtf8(stored) == fileName;
}
