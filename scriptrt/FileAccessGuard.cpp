#include "scriptrt/FileAccessGuard.h"

#include <filesystem>
#include <string>

#include "common/Dictionary.h"
#include "scriptrt/HostAccess.h"
#include "scriptrt/Language.h"
#include "scriptrt/ScriptHost.h"

// Texts are Latin-1 bytes; paths are the system's (UTF-8).

namespace fs = std::filesystem;

namespace {
struct GuardState {
  int decision = 0;  // -1 refused, 0 not asked, 1 allowed
  std::string applicationFolder;
};

GuardState& Guard() {
  static GuardState state;
  return state;
}

// The folder with ".", ".." and links resolved; empty when it cannot be.
std::string FolderKey(const fs::path& folder) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(folder, ec);
  if (ec) return {};
  std::string s = fs::weakly_canonical(absolute, ec).string();
  if (ec) return {};
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

// The folder a name lies in. A name ending in "." or ".." names a folder,
// which lies in the folder above it once resolved.
std::string ContainingFolder(const fs::path& name) {
  const fs::path leaf = name.filename();
  if (leaf.empty() || leaf == "." || leaf == "..") {
    const std::string resolved = FolderKey(name);
    return resolved.empty() ? resolved : FolderKey(fs::path(resolved).parent_path());
  }
  return FolderKey(name.parent_path().empty() ? fs::path(".") : name.parent_path());
}

bool Inside(const std::string& fileName, const std::string& applicationFolder) {
  const std::string folder = ContainingFolder(fs::path(fileName));
  return !folder.empty() && folder == FolderKey(applicationFolder);
}

bool AskOnce() {
  GuardState& g = Guard();
  if (g.decision != 0) return g.decision == 1;
  const ScriptHost& host = Host();
  // Without a host nobody can answer; ask again once one is installed.
  if (!host.AskConfirmation) return false;
  EnsureDictionaryLoaded();
  const std::string question = Choose(
      "AVISO: Tentativa de leitura ou escrita de arquivos fora da pasta aplica\xE7\xE3o. Deseja permitir acesso "
      "de leitura ou escrita fora da pasta da aplica\xE7\xE3o?",
      "WARNING: Attempting to read or write files outside the application folder. Do you want to allow read "
      "or write access outside the application folder? ");
  g.decision = host.AskConfirmation(host.context, question.c_str()) ? 1 : -1;
  return g.decision == 1;
}
}  // namespace

bool FileAccessAllowed(const std::string& fileName) {
  const GuardState& g = Guard();
  if (g.applicationFolder.empty() || g.decision == 1) return true;
  return Inside(fileName, g.applicationFolder) || AskOnce();
}

bool FileReadAllowed(const std::string& fileName) {
  if (!FileAccessAllowed(fileName)) return false;
  std::error_code ec;
  if (!fs::is_symlink(fileName, ec)) return true;
  const fs::path target = fs::weakly_canonical(fs::absolute(fileName, ec), ec);
  return !ec && FileAccessAllowed(target.string());
}

// A new folder is a new question.
extern "C" void ScriptSetApplicationFolder(const char* folder) {
  Guard().applicationFolder = folder ? folder : "";
  Guard().decision = 0;
}
