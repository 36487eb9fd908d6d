#pragma once
#include <string>

// Resolves a relative data path ("Vist3D/TEX/texture3.bmp") under `base`
// component by component, matching each name case-insensitively against
// what is on disk, since the data folders have been spelt VIST3D, Vist3D,
// TEX and tex. A component with no match is kept as written, so the result
// is always a usable path (it may not exist).
std::string ResolveDataPath(const std::string& base, const std::string& relative);

// The folder that holds Vist3D/ (with a trailing '/'): the program folder
// when Vist3D is there (a build tree, an unpacked copy), otherwise, for an
// installed program, <prefix>/share/objetos3d/ when the program is in
// <prefix>/bin/; the program folder when neither exists.
std::string DataFolder();

// The same under the data folder.
std::string DataPath(const std::string& relative);
