#pragma once
#include <string>
#include <string_view>

// Texts are single-byte Latin-1 throughout; these fold case without any
// dependence on the process locale.

// A-Z only.
std::string AsciiLower(std::string_view text);
// A-Z and the Latin-1 capitals 192..222 (except 215, the multiplication sign).
std::string Latin1Lower(std::string_view text);
std::string Latin1Upper(std::string_view text);
// Removes blanks and control characters at both ends.
std::string Trim(std::string_view text);
