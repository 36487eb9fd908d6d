#include "FolderIndex.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "Latin1.h"

void FolderIndex::Refresh() {
  struct stat st {};
  const bool present = ::stat(folder_.c_str(), &st) == 0;
  const timespec stamp = present ? st.st_mtim : timespec{};
  if (read_ && stamp.tv_sec == stamp_.tv_sec && stamp.tv_nsec == stamp_.tv_nsec) return;
  read_ = true;
  stamp_ = stamp;
  exact_.clear();
  folded_.clear();
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    folded_.emplace(AsciiLower(name), name);  // the first in folder order wins
    exact_.emplace(name, name);
  }
}

std::string FolderIndex::Match(const std::string& name) {
  Refresh();
  if (exact_.count(name)) return name;
  const auto found = folded_.find(AsciiLower(name));
  return found == folded_.end() ? name : found->second;
}
