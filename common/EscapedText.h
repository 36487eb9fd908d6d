#pragma once
#include <string>
#include <string_view>

// Free bytes as a field of a one-line, terminal-safe listing: TAB, LF, CR
// and backslash become \t, \n, \r and \\, every other control byte (below
// 0x20, and 0x7F) \xHH with upper-case digits; all else passes unchanged.
// No escape sequence of a text can reach a terminal, and the field never
// holds a TAB or a line end of its own.
void AppendEscaped(std::string& out, std::string_view text);
