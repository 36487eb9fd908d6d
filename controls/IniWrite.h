#pragma once
#include <string>

// Writes `key`=`value` into `[section]` of the INI file at `path`, creating
// the file, the section or the key as needed; section and key names match
// case-insensitively. The file is replaced whole, so a failed write leaves
// it as it was. Returns false when it cannot be read or written.
bool WriteIniText(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value);
