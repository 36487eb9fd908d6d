#include "ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace {
std::string& OverrideFolder() {
  static std::string folder;
  return folder;
}
}  // namespace

std::string ProgramFolder() {
  if (!OverrideFolder().empty()) return OverrideFolder();
  static const std::string folder = [] {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::string dir = ec ? std::filesystem::current_path().string() : exe.parent_path().string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
  }();
  return folder;
}

void SetProgramFolderForTesting(const std::string& folder) {
  OverrideFolder() = folder;
  if (!folder.empty() && folder.back() != '/') OverrideFolder() += '/';
}
