#pragma once
#include <functional>
#include <string>

#include "common/Outcome.h"

class Canvas;

// The mesh formats the save command writes besides OBJ (the extensions
// that name them are in output/OutputFormats).
enum class MeshFormat { Glb, Stl };

// Exports the scene to `path` in `format`. `drawFrame` draws the whole
// scene into the canvas it is given, as for an OBJ export, so every format
// carries the OBJ export's geometry; each element drawn goes straight to the
// format's writer, and no OBJ text is made. A glTF file is drawn twice, first to measure it: the
// frame must draw the same both times. `path` is replaced only by a complete file; running
// out of memory fails the export with "not enough memory".
Outcome ExportMeshFile(const std::string& path, MeshFormat format, const std::function<void(Canvas&)>& drawFrame);
