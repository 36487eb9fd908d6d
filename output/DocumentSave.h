#pragma once
#include <string>

#include "common/PathParts.h"
#include "document/DocumentFile.h"

struct GLView;
struct SceneState;

// The save command's dispatch on the extension of `path` (case-sensitive,
// the formats in OutputFormats.h):
// ".jpeg" saves a picture of the view without the editing aids (this needs
// the view's GL context), ".obj" exports OBJ + MTL + textures by recording
// the scene's frame without drawing it (no GL context needed), ".glb" and
// ".stl" convert such a recording into glTF binary or STL,
// anything else writes the document to `path` (or to `fileName` when `path`
// is empty).
// The files a save would write are checked before anything is drawn: a
// target that is not a regular file, or a folder that cannot take files,
// fails at once and draws no frame. Texture copies that fail are listed in
// the result's failedFiles (and joined into its reason).
Outcome SaveDocument(SceneState& scene, const std::string& path, const std::string& fileName);

// Refused, and why, when SaveDocument could not write what it would for
// `path` (see above): the batch tool asks before it sets up drawing.
Outcome CheckSaveTarget(const std::string& path, const std::string& fileName);

// Writes the view's last drawn frame as a JPEG, under `path` with its
// extension changed to ".jpeg". The view's surface must still hold the frame.
Outcome SaveViewAsJpeg(GLView& view, const std::string& path);
// The same under exactly the name `target`.
Outcome WriteViewJpeg(GLView& view, const std::string& target);
