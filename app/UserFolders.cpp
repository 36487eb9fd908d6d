#include "UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {
bool UsableAbsolute(const char* path) {
  if (!path || path[0] != '/') return false;
  // "/", "//" and the like name the root.
  for (const char* c = path; *c; ++c)
    if (*c != '/') return true;
  return false;
}

std::string Home() {
  if (const char* home = std::getenv("HOME"); UsableAbsolute(home)) return home;
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      UsableAbsolute(found->pw_dir))
    return found->pw_dir;
  return {};
}

std::string BaseFolder(const char* variable, const char* underHome) {
  if (const char* set = std::getenv(variable); UsableAbsolute(set)) return set;
  const std::string home = Home();
  return home.empty() ? std::string() : home + underHome;
}
}  // namespace

std::string UserConfigFolder() { return BaseFolder("XDG_CONFIG_HOME", "/.config"); }
std::string UserDataFolder() { return BaseFolder("XDG_DATA_HOME", "/.local/share"); }
