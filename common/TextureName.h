#pragma once
#include <string>

// Whether a texture name stored in a document is a plain file name: not
// empty, no folder separator ('/' or '\'), not "." or "..", no drive
// ("C:"), no control character. Anything else names no texture file.
bool IsPlainFileName(const std::string& name);
