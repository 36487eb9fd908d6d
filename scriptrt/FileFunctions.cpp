// Files of scripts: existence, a file search, delete, rename and copy.
#include <fnmatch.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

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

std::string Name(const ScriptText* text) { return std::string(TextOf(text)); }

// The search mask is a folder and a wildcard pattern; names match without
// regard to case, as the scripts were written for; "*.*" means every name.
int StartSearch(const std::string& mask, std::vector<std::string>& found) {
  fs::path maskPath(mask);
  fs::path folder = maskPath.parent_path();
  std::string pattern = maskPath.filename().string();
  if (folder.empty()) folder = ".";
  if (pattern == "*.*") pattern = "*";
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return ec.value() ? ec.value() : ENOENT;
  for (const fs::directory_entry& entry : it) {
    const std::string name = entry.path().filename().string();
    if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) found.push_back(name);
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
  const int error = StartSearch(Name(mask), found);
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
