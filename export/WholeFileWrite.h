#pragma once
#include <string>
#include <string_view>
#include <vector>

// Writes the pieces, in order, to a temporary file beside `path`, flushes it
// to disk and renames it over `path`: a reader sees the old file or the whole
// new one, never a part. On failure the temporary file is removed, `path` is
// untouched and `reason` says why.
bool WriteWholeFile(const std::string& path, const std::vector<std::string_view>& pieces, std::string& reason);
