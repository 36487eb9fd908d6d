#pragma once
#include <string>

// The value of `key` in `[section]` of the INI file at `path`, or empty.
// Section and key names match case-insensitively; the value is cut at 79
// characters, as the program has always read it into an 80-byte buffer.
// Only a regular file of at most 1 MB is read (see ReadConfigFile).
std::string ReadIniText(const std::string& path, const std::string& section, const std::string& key);
