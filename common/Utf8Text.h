#pragma once
#include <string>
#include <string_view>

// Texts inside documents and script records are Latin-1 bytes; file names
// are the system's bytes (UTF-8). These convert where one meets the other.

// Every Latin-1 byte becomes its UTF-8 sequence; ASCII stays as it is.
std::string Latin1ToUtf8(std::string_view latin1);

// Characters up to U+00FF become their Latin-1 byte; any other character,
// and every byte that is not part of a well-formed UTF-8 sequence, becomes
// one '?'.
std::string Utf8ToLatin1(std::string_view utf8);

// Folds A-Z and the Latin-1 capitals (U+00C0..U+00DE but the multiplication
// sign) of UTF-8 text to small letters, as Latin1Lower does for Latin-1
// text; every other byte stays. For comparing file names without regard to
// case.
std::string Utf8Lower(std::string_view utf8);
