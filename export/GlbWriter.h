#pragma once
#include <string>
#include <vector>

#include "RecordedObjReader.h"

// Writes the recorded scene as one binary glTF 2.0 file: a node and a mesh
// per object (named after it), positions, normals, texture coordinates, and a
// material per object with its base colour and, where its texture file is in
// `textureFolder` and may be used, the image embedded.
//
// `sourceTextureNames[i]`, when given, is the texture name object i had in
// the document; an object whose name there is not a plain file name embeds
// no image, whatever the recording made of it.
//
// The file is written whole under a temporary name and renamed over `path`.
bool WriteGlb(const RecordedScene& scene, const std::string& path, const std::string& textureFolder,
              const std::vector<std::string>& sourceTextureNames, std::string& reason);

// The colour of a material as glTF stores it: the drawn colour (0..1, as
// displayed) converted to linear light.
float LinearFromDisplayed(float component);
