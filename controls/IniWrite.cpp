#include "IniWrite.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "common/Latin1.h"

namespace {
std::vector<std::string> ReadAllLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool IsSection(const std::string& line, std::string* name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
  *name = Trim(t.substr(1, t.size() - 2));
  return true;
}
}  // namespace

bool WriteIniText(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value) {
  std::vector<std::string> lines = ReadAllLines(path);
  const std::string wantedSection = AsciiLower(section), wantedKey = AsciiLower(key);
  const std::string entry = key + "=" + value;
  bool inSection = false, done = false;
  size_t sectionEnd = lines.size();
  bool sectionFound = false;
  for (size_t i = 0; i < lines.size() && !done; ++i) {
    std::string name;
    if (IsSection(lines[i], &name)) {
      if (inSection) {
        sectionEnd = i;
        break;
      }
      inSection = AsciiLower(name) == wantedSection;
      sectionFound = sectionFound || inSection;
      continue;
    }
    if (!inSection) continue;
    const size_t eq = lines[i].find('=');
    if (eq != std::string::npos && AsciiLower(Trim(lines[i].substr(0, eq))) == wantedKey) {
      lines[i] = entry;
      done = true;
    }
  }
  if (!done) {
    if (sectionFound) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
    } else {
      lines.push_back("[" + section + "]");
      lines.push_back(entry);
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const std::string& line : lines) out << line << "\r\n";
  return static_cast<bool>(out);
}
