#pragma once
#include <string_view>

// Whether `name` can only name a file inside whatever folder it is looked
// up in: not empty, no folder separator ('/' or '\'), no drive (':'), no
// ".." anywhere, not made of dots alone, and no control character (below
// 0x20, or 0x7F). Texture names come from documents, which are untrusted:
// a name that fails this names no file at all.
bool IsPlainFileName(std::string_view name);
