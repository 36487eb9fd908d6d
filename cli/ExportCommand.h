#pragma once
#include <string>
#include <vector>

// export DOC OUT [--width W] [--height H] [--view 0..3]: saves DOC under OUT
// as the editor's save does (".obj": OBJ + MTL + textures, ".glb": glTF binary,
// ".stl": binary STL, ".jpeg": a picture of the view, anything else: the document), drawing headless.
int RunExportCommand(const std::vector<std::string>& args);
