#pragma once
#include <string>
#include <string_view>

// The parts of a path as the system's bytes, split at the last '/' (no
// other separator, no normalising): the same rules wherever a name, a
// folder or an extension is taken from a path.

// What follows the last '/' ("a/b.obj" -> "b.obj"); the whole path without one.
std::string FileNameOf(std::string_view path);

// Everything up to and including the last '/' ("a/b.obj" -> "a/"); empty
// without one.
std::string FolderPartOf(std::string_view path);

// The name's extension from its last '.', dot included ("a/b.c.obj" ->
// ".obj"); empty when the name has no dot (a dot in a folder name does not
// count).
std::string ExtensionOf(std::string_view path);

// `path` with its extension (if any) replaced by `extension` (".jpeg").
std::string ChangeExtension(std::string_view path, std::string_view extension);

// Whether `text` ends with `end` (case-sensitive).
bool EndsWith(std::string_view text, std::string_view end);
