// Files of scripts: existence, a file search, delete, rename and copy.
// Scripts hold their paths as Latin-1 text; the file system takes UTF-8.
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "common/Latin1.h"
#include "common/Utf8Text.h"
#include "scriptrt/FileAccessGuard.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace fs = std::filesystem;

namespace {
// The entries of the last search that are still to be reported.
struct FindState {
  std::vector<std::string> remaining;
};

FindState& Find() {
  static FindState state;
  return state;
}

// The file-system path a script's text names.
std::string Name(const ScriptText* text) { return Latin1ToUtf8(TextOf(text)); }

// '*' any run of characters, '?' one character; both texts Latin-1.
bool Matches(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p, ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++, starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1, n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// The search mask is a folder and a wildcard pattern; names match without
// regard to case, as the scripts were written for; "*.*" means every name.
// Names are compared, and kept, as the Latin-1 text a script reads.
int StartSearch(std::string_view mask, std::vector<std::string>& found) {
  const size_t slash = mask.find_last_of('/');
  const std::string folder = slash == std::string_view::npos ? "." : Latin1ToUtf8(mask.substr(0, slash + 1));
  std::string pattern = Latin1Lower(slash == std::string_view::npos ? mask : mask.substr(slash + 1));
  if (pattern == "*.*") pattern = "*";
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return ec.value() ? ec.value() : ENOENT;
  for (const fs::directory_entry& entry : it) {
    const std::string name = Utf8ToLatin1(entry.path().filename().string());
    if (Matches(pattern, Latin1Lower(name))) found.push_back(name);
  }
  return found.empty() ? ENOENT : 0;
}
}  // namespace

extern "C" {

double zemoscriptFILEEXISTS(const ScriptText* fileName) {
  std::error_code ec;
  const fs::file_status status = fs::status(Name(fileName), ec);
  return !ec && fs::exists(status) && !fs::is_directory(status) ? 1.0 : 0.0;
}

double zemoscriptFINDFIRST(const ScriptText* mask) {
  FindState& f = Find();
  f.remaining.clear();
  std::vector<std::string> found;
  const int error = StartSearch(TextOf(mask), found);
  if (error != 0) return error;
  // The first entry is reported now; the rest by FINDNEXT, in order.
  f.remaining.assign(found.begin() + 1, found.end());
  return 0.0;
}

double zemoscriptFINDNEXT(void) {
  FindState& f = Find();
  if (f.remaining.empty()) return ENOENT;
  f.remaining.erase(f.remaining.begin());
  return 0.0;
}

void zemoscriptprocKILL(const ScriptText* fileName) {
  const std::string name = Name(fileName);
  if (name.empty() || !FileAccessAllowed(name)) return;
  std::error_code ec;
  if (!fs::is_directory(name, ec)) fs::remove(name, ec);
}

double zemoscriptFILERENAME(const ScriptText* oldName, const ScriptText* newName) {
  const std::string from = Name(oldName), to = Name(newName);
  std::error_code ec;
  // A rename never replaces an existing file.
  if (from.empty() || to.empty() || fs::exists(fs::symlink_status(to, ec)) || !fs::exists(fs::symlink_status(from, ec)))
    return 0.0;
  fs::rename(from, to, ec);
  return ec ? 0.0 : 1.0;
}

double zemoscriptFILECOPY(const ScriptText* source, const ScriptText* destination) {
  std::error_code ec;
  const std::string from = Name(source), to = Name(destination);
  if (from.empty() || to.empty()) return 0.0;
  const bool copied = fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  return !ec && copied ? 1.0 : 0.0;
}

}  // extern "C"
