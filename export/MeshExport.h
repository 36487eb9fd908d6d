#pragma once
#include <functional>
#include <string>

#include "document/DocumentFile.h"

class TIMem32;

// The mesh formats the save command writes besides OBJ.
enum class MeshFormat { Glb, Stl };

// ".glb" -> Glb, ".stl" -> Stl; false for anything else.
bool MeshFormatForExtension(const std::string& extension, MeshFormat& format);

// Exports the scene to `path` in `format`. The geometry is the OBJ
// recording's, so every format agrees with the OBJ export: the recording is
// switched on into a private temporary folder, `drawFrame` must rebuild the
// whole scene once (as for an OBJ export), and the recorded OBJ and MTL are
// read back and converted. `elements` (optional) is the drawn document: the
// texture names of its visible elements decide which textures may be
// embedded. The temporary folder is always removed; `path` is replaced only
// by a complete file.
DocumentResult ExportMeshFile(const std::string& path, MeshFormat format, const TIMem32* elements,
                              const std::function<void()>& drawFrame);
