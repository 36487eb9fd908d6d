#pragma once
#include <cstdint>
#include <string>

class TIMem32;

// The type word of an element kind in the current language ("cubo"/"cube").
std::string TypeWord(int32_t kind);

// The next free name for an element of `kind` among `elements`: the type
// word followed by one more than the highest number in use for that word.
// Numbering never reuses a gap; the stored names' case is ignored.
std::string NextElementName(const TIMem32& elements, int32_t kind);
