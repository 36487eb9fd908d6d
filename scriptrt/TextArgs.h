#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "scriptrt/ScriptText.h"

// Reading and writing script text records. A null record reads as empty.
inline std::string_view TextOf(const ScriptText* text) {
  if (!text) return {};
  return {reinterpret_cast<const char*>(text) + kScriptTextHeader, text->length};
}

inline char* CharsOf(ScriptText* text) { return reinterpret_cast<char*>(text) + kScriptTextHeader; }

// Copies as much of `value` as the record's capacity holds, sets the length
// and adds a 0 byte when there is room for it.
void WriteText(ScriptText* destination, std::string_view value);
