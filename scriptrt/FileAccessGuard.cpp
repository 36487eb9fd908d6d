#include "scriptrt/FileAccessGuard.h"

#include <filesystem>
#include <string>

#include "common/Dictionary.h"
#include "common/Utf8Text.h"
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

std::string FolderKey(const fs::path& folder) {
  std::string s = fs::absolute(folder).lexically_normal().string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return Utf8Lower(s);
}
}  // namespace

bool FileAccessAllowed(const std::string& fileName) {
  GuardState& g = Guard();
  if (g.applicationFolder.empty() || g.decision == 1) return true;
  std::error_code ec;
  const fs::path folder = fs::absolute(fs::path(fileName), ec).parent_path();
  if (!ec && FolderKey(folder) == FolderKey(g.applicationFolder)) return true;
  if (g.decision != 0) return false;
  const ScriptHost& host = Host();
  // Without a host nobody can answer; ask again once one is installed.
  if (!host.AskConfirmation) return false;
  EnsureDictionaryLoaded();
  const std::string question =
      Choose("AVISO: Tentativa de leitura ou escrita de arquivos fora da pasta aplica\xE7\xE3o. Deseja permitir acesso "
             "de leitura ou escrita fora da pasta da aplica\xE7\xE3o?",
             "WARNING: Attempting to read or write files outside the application folder. Do you want to allow read "
             "or write access outside the application folder? ");
  g.decision = host.AskConfirmation(host.context, question.c_str()) ? 1 : -1;
  return g.decision == 1;
}

// A new folder is a new question.
extern "C" void ScriptSetApplicationFolder(const char* folder) {
  Guard().applicationFolder = folder ? folder : "";
  Guard().decision = 0;
}
