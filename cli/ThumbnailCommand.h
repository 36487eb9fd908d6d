#pragma once
#include <string>
#include <vector>

// thumbnail DOC OUT.png [--size N]: a square picture (N pixels a side,
// default 256) of DOC in the editor's starting view, without the editing
// aids, on the view's grey background, drawn headless. OUT is replaced only
// by a complete picture. Desktop file managers call it for their previews.
int RunThumbnailCommand(const std::vector<std::string>& args);
