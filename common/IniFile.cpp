#include "IniFile.h"

#include <sstream>

#include "ConfigFile.h"
#include "Latin1.h"

std::string ReadIniText(const std::string& path, const std::string& section, const std::string& key) {
  std::string bytes;
  if (!ReadConfigFile(path, bytes)) return {};
  std::istringstream in(bytes);
  const std::string wantedSection = AsciiLower(Trim(section));
  const std::string wantedKey = AsciiLower(Trim(key));
  bool inSection = false;
  std::string line;
  while (std::getline(in, line)) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';') continue;
    if (t.front() == '[') {
      const size_t close = t.find(']');
      inSection = close != std::string::npos && AsciiLower(Trim(t.substr(1, close - 1))) == wantedSection;
      continue;
    }
    if (!inSection) continue;
    const size_t eq = t.find('=');
    if (eq == std::string::npos || AsciiLower(Trim(t.substr(0, eq))) != wantedKey) continue;
    std::string value = Trim(t.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.size() > 79) value.resize(79);
    return value;
  }
  return {};
}
