#pragma once
#include <string>
#include <string_view>

// The texture list's first entry, which stands for no texture: "<nenhuma>",
// or "<none>" in English.
std::string NoTextureItem();

// Whether `item` is that entry, in either language.
bool IsNoTextureItem(std::string_view item);
