#include "DataPath.h"

#include <filesystem>
#include <system_error>

#include "Latin1.h"
#include "ProgramFolder.h"

namespace fs = std::filesystem;

namespace {
std::string MatchEntry(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  if (fs::exists(dir / name, ec)) return name;
  const std::string wanted = AsciiLower(name);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string candidate = it->path().filename().string();
    if (AsciiLower(candidate) == wanted) return candidate;
  }
  return name;
}
}  // namespace

std::string ResolveDataPath(const std::string& base, const std::string& relative) {
  fs::path result = base;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t slash = relative.find_first_of("/\\", start);
    if (slash == std::string::npos) slash = relative.size();
    std::string part = relative.substr(start, slash - start);
    if (!part.empty()) result /= MatchEntry(result, part);
    start = slash + 1;
  }
  std::string out = result.string();
  const char last = relative.empty() ? '\0' : relative.back();
  if ((last == '/' || last == '\\') && (out.empty() || out.back() != '/')) out += '/';
  return out;
}

std::string DataFolder() {
  const std::string program = ProgramFolder();
  std::error_code ec;
  if (fs::exists(program + "Vist3D", ec)) return program;
  const fs::path installed = fs::path(program).parent_path().parent_path() / "share/objetos3d";
  if (fs::path(program).parent_path().filename() == "bin" && fs::is_directory(installed, ec))
    return installed.string() + '/';
  return program;
}

std::string DataPath(const std::string& relative) { return ResolveDataPath(DataFolder(), relative); }
