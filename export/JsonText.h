#pragma once
#include <string>
#include <string_view>

// Appends `latin1` (document text: one byte per character, Latin-1) as a
// quoted JSON string: converted to UTF-8, with quotes, backslashes and
// control characters escaped.
void AppendJsonString(std::string& out, std::string_view latin1);

// Appends a finite float in its shortest exact text ("0", "1.5", "-2e-07");
// anything not finite is written as 0, which JSON has no word for.
void AppendJsonNumber(std::string& out, float value);
