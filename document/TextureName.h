#pragma once
#include <string_view>

// Whether a file of the texture folder (its name in the system's bytes) can
// be named by an element: the document keeps the name as Latin-1 text of at
// most 63 bytes, and a name it changes on the way would name no file.
bool FitsTextureField(std::string_view fileName);
