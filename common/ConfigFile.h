#pragma once
#include <cstddef>
#include <string>

// Configuration files beside the program (log.ini, tradutorgeral.dat) are
// data like any other: only a regular file (or a link to one) of bounded size
// is read. A pipe would block start-up and a link to a device could be read
// forever.
inline constexpr size_t kConfigFileLimit = size_t{1} << 20;

// The whole of the file at `path` in `bytes`, or false: missing (quietly),
// not a regular file or larger than `limit` (with one warning on stderr per
// file name, however often it is asked for), or unreadable.
bool ReadConfigFile(const std::string& path, std::string& bytes, size_t limit = kConfigFileLimit);
