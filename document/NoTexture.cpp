#include "NoTexture.h"

#include "common/Dictionary.h"

namespace {
constexpr std::string_view kPortuguese = "<nenhuma>", kEnglish = "<none>";
}  // namespace

std::string NoTextureItem() { return Choose(std::string(kPortuguese), std::string(kEnglish)); }

bool IsNoTextureItem(std::string_view item) { return item == kPortuguese || item == kEnglish; }
