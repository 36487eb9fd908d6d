#pragma once
#include <cstdint>
#include <string>

// Which file a name stands for, and in what state: enough to tell that the
// file is another one, or the same one changed, since it was last seen.
struct FileIdentity {
  bool exists = false;  // something stands at the name
  bool link = false;    // the name itself is a symbolic link
  // Of the file the name leads to (links followed); zero when none.
  uint64_t device = 0, inode = 0, size = 0;
  int64_t modifiedNs = 0;

  // The same file, unchanged, reached the same way.
  bool operator==(const FileIdentity&) const = default;
};

// The name as it stands now.
FileIdentity IdentityOf(const std::string& path);

// True when both names lead to one existing file (the same device and
// inode, links followed): writing one would overwrite the other.
bool SameFile(const std::string& a, const std::string& b);
