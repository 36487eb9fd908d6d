#pragma once
#include <string>

// Writes `key`=`value` into `[section]` of the INI file at `path`, creating
// the file, the section or the key as needed; section and key names match
// case-insensitively. Returns false when the file cannot be written.
bool WriteIniText(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value);
