#include "IniWrite.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "common/Latin1.h"
#include "common/SafeFiles.h"

namespace {
// The file's lines (none when there is no file yet); false when a file is
// there but cannot be read whole: rewritten from a part, it would lose the
// rest of the settings.
bool ReadAllLines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::error_code ec;
    return !std::filesystem::exists(path, ec) && !ec;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return !in.bad();
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
  // A pipe, a device or a folder at the name is never opened, nor a file
  // whose folder would not take the new one.
  if (!WriteTargetProblem(path).empty()) return false;
  std::vector<std::string> lines;
  if (!ReadAllLines(path, lines)) return false;
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
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  // Through a temporary file and a rename, as documents are saved: a crash
  // or a full disk halfway leaves the previous settings, never a part.
  ReplacementFile file(path);
  return file.Write(text) && file.Commit();
}
