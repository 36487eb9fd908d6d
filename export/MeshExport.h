#pragma once
#include <functional>
#include <string>

#include "document/DocumentFile.h"

// The mesh formats the save command writes besides OBJ (the extensions
// that name them are in output/OutputFormats).
enum class MeshFormat { Glb, Stl };

// Exports the scene to `path` in `format`. The geometry is the OBJ
// recording's, so every format agrees with the OBJ export: the recording is
// switched on and `drawFrame` must rebuild the whole scene (as for an OBJ
// export); each element drawn goes straight to the format's writer, and no
// OBJ text is made. A glTF file is drawn twice, first to measure it: the
// frame must draw the same both times. `path` is replaced only by a complete file; running
// out of memory fails the export with "not enough memory".
DocumentResult ExportMeshFile(const std::string& path, MeshFormat format, const std::function<void()>& drawFrame);
