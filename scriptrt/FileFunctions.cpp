// Files of scripts: existence, a file search, delete, rename and copy.
// Scripts hold their paths as Latin-1 text; the file system takes UTF-8.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/FileDescriptorIo.h"
#include "common/Latin1.h"
#include "common/PathParts.h"
#include "common/Utf8Text.h"
#include "scriptrt/FileAccessGuard.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace fs = std::filesystem;

namespace {
// The entries of the last search; `next` is the first not yet reported.
struct FindState {
  std::vector<std::string> entries;
  size_t next = 0;
};

FindState& Find() {
  static FindState state;
  return state;
}

// The file-system path a script's text names; none for a text with a 0 byte,
// which the system would cut short to another name.
std::optional<std::string> Name(const ScriptText* text) {
  const std::string_view latin = TextOf(text);
  if (latin.empty() || latin.find('\0') != std::string_view::npos) return std::nullopt;
  return Latin1ToUtf8(latin);
}

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
  if (mask.find('\0') != std::string_view::npos) return EINVAL;
  const std::string folderPart = FolderPartOf(mask);
  const std::string folder = folderPart.empty() ? "." : Latin1ToUtf8(folderPart);
  std::string pattern = Latin1Lower(FileNameOf(mask));
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

// Copies `from` to `to` through a fresh file beside `to` that is renamed over
// it, so a link planted at `to` is replaced, never written through.
bool CopyWithoutFollowingTarget(const std::string& from, const std::string& to) {
  // O_NONBLOCK: a pipe planted as the source is refused below instead of
  // blocking the open; regular files ignore the flag.
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) return false;
  struct stat st;
  if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(in);
    return false;
  }
  // A short name of its own, so a long target name still fits NAME_MAX.
  static unsigned serial = 0;
  const std::string temporary =
      (fs::path(to).parent_path() / (".zemocopy." + std::to_string(::getpid()) + "." + std::to_string(++serial)))
          .string();
  const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, st.st_mode & 0777);
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = CopyBytes(in, [out](const void* bytes, size_t size) { return WriteFully(out, bytes, size) == size; }) ==
            CopyEnd::Copied;
  ::close(in);
  ok = ::close(out) == 0 && ok;
  // rename() never follows a link at the target, and fails on a folder.
  if (ok) ok = std::rename(temporary.c_str(), to.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}
}  // namespace

extern "C" {

double zemoscriptFILEEXISTS(const ScriptText* fileName) {
  const std::optional<std::string> name = Name(fileName);
  if (!name) return 0.0;
  std::error_code ec;
  const fs::file_status status = fs::status(*name, ec);
  return !ec && fs::exists(status) && !fs::is_directory(status) ? 1.0 : 0.0;
}

double zemoscriptFINDFIRST(const ScriptText* mask) {
  FindState& f = Find();
  f.entries.clear();
  f.next = 0;
  std::vector<std::string> found;
  const int error = StartSearch(TextOf(mask), found);
  if (error != 0) return error;
  // The first entry is reported now; the rest by FINDNEXT, in order.
  f.entries = std::move(found);
  f.next = 1;
  return 0.0;
}

double zemoscriptFINDNEXT(void) {
  FindState& f = Find();
  if (f.next >= f.entries.size()) return ENOENT;
  ++f.next;
  return 0.0;
}

void zemoscriptprocKILL(const ScriptText* fileName) {
  const std::optional<std::string> name = Name(fileName);
  if (!name || !FileAccessAllowed(*name)) return;
  std::error_code ec;
  if (!fs::is_directory(*name, ec)) fs::remove(*name, ec);
}

double zemoscriptFILERENAME(const ScriptText* oldName, const ScriptText* newName) {
  const std::optional<std::string> from = Name(oldName), to = Name(newName);
  if (!from || !to) return 0.0;
  std::error_code ec;
  // A rename never replaces an existing file (nor a link planted there).
  if (fs::exists(fs::symlink_status(*to, ec)) || !fs::exists(fs::symlink_status(*from, ec))) return 0.0;
  if (!FileAccessAllowed(*from) || !FileAccessAllowed(*to)) return 0.0;
  if (::renameat2(AT_FDCWD, from->c_str(), AT_FDCWD, to->c_str(), RENAME_NOREPLACE) == 0) return 1.0;
  // File systems without RENAME_NOREPLACE: the check above has to do.
  if (errno != EINVAL && errno != ENOSYS) return 0.0;
  fs::rename(*from, *to, ec);
  return ec ? 0.0 : 1.0;
}

double zemoscriptFILECOPY(const ScriptText* source, const ScriptText* destination) {
  const std::optional<std::string> from = Name(source), to = Name(destination);
  if (!from || !to) return 0.0;
  if (!FileReadAllowed(*from) || !FileAccessAllowed(*to)) return 0.0;
  return CopyWithoutFollowingTarget(*from, *to) ? 1.0 : 0.0;
}

}  // extern "C"
