#pragma once
#include <string>

// Appends `text` to the file at `path`, creating the file when missing.
// Returns false when the file cannot be written.
bool AppendToFile(const std::string& path, const std::string& text);
