#pragma once
#include <string>

#include "RecordedObjReader.h"

// Writes the recorded scene's triangles as one binary STL file, in world
// coordinates, each with its face normal, turned outwards as the drawing's
// normals say. Written whole under a temporary name, then renamed.
bool WriteStl(const RecordedScene& scene, const std::string& path, std::string& reason);
