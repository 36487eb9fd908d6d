#pragma once
#include <ctime>
#include <string>
#include <unordered_map>

// The names of one folder, hashed, for matching file names the way the data
// folders are matched: the exact name first, else the first entry that
// differs only in ASCII case. A document may name any number of distinct
// missing files; scanning the folder once per name made that quadratic.
// The listing is read again when the folder's modification time changes.
class FolderIndex {
 public:
  explicit FolderIndex(std::string folder) : folder_(std::move(folder)) {}
  // The entry's name as it is on disk, or `name` itself when none matches.
  std::string Match(const std::string& name);
  const std::string& Folder() const { return folder_; }

 private:
  void Refresh();
  std::string folder_;
  bool read_ = false;
  timespec stamp_{};
  std::unordered_map<std::string, std::string> exact_, folded_;
};
