#pragma once
#include <cstdint>
#include <string_view>

#include "FilePart.h"

// JSON pieces appended straight to a part of a file. While the part only
// counts, nothing is made whose length can be told without making it.

// `latin1` (document text: one byte per character, Latin-1) as a quoted
// JSON string: converted to UTF-8, with quotes, backslashes and control
// characters escaped.
void AppendJsonString(FilePart& out, std::string_view latin1);

// A finite float in its shortest exact text ("0", "1.5", "-2e-07");
// anything not finite is written as 0, which JSON has no word for.
void AppendJsonNumber(FilePart& out, float value);

// A whole number in decimal.
void AppendJsonWhole(FilePart& out, uint64_t n);
