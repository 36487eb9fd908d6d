#pragma once
#include <string>
#include <vector>

// One OBJ export run: the save command switches recording on, forces one
// rebuild of the scene, and the frame writes the files at its end.
//
//   StartExport(path)   recording on, output name set, files checked
//   BeginExport()       first thing of the frame: fresh texts and counters
//   BeginObject(name)   per element drawn, before its mesh
//   DefineMaterial(name, texturePath)
//   FinishExport()      after the frame: writes OBJ, MTL, copies textures
//   StopExport()        recording off, output name cleared

// Switches recording on for `objPath`. Before anything is drawn it checks
// that the OBJ and its MTL can be written (each missing or a regular file, in
// a folder that takes files) and creates their temporary files; returns why
// not, naming the file, or empty. Recording is on either way.
std::string StartExport(const std::string& objPath);
void StopExport();
bool ExportActive();

class RecordedObjectSink;
// Switches recording on for a mesh export: no OBJ text and no files; each
// element drawn goes to `sink` as soon as it is complete, the last one at
// FinishExport. StopExport ends it.
void StartObjectExport(RecordedObjectSink& sink);

void BeginExport();
// Control characters in names become "_": a name never adds a line.
void BeginObject(const std::string& name);
// A texture path outside the program's texture folder, or whose name is not
// a plain file name, gets no "map_Kd" line.
void DefineMaterial(const std::string& name, const std::string& texturePath);

// The result of the last FinishExport, for the save command to report.
struct ExportOutcome {
  bool written = false;   // OBJ and MTL both in place
  std::string reason;     // why not, when not, naming the file
  struct TextureFailure {
    std::string file, reason;  // the copy that could not be written, and why
  };
  std::vector<TextureFailure> failedTextures;
};

// Writes the OBJ and MTL texts to their temporary files, flushes both and
// only then renames them into place together: on any failure the previous
// OBJ and MTL both stay as they were. When both are written, every plain-named
// file of the program's texture folder is copied into "textures/" beside the
// OBJ file, each through its own temporary file; copies that fail are listed,
// and so are files larger than 64 MB, which are skipped. Links leading out of
// the folder are not copied.
// Does nothing unless recording.
ExportOutcome FinishExport();
// What the last FinishExport did (cleared by StartExport).
const ExportOutcome& LastExportOutcome();

// "name.obj" -> "name.mtl" (only the extension changes).
std::string MtlPathFor(const std::string& objPath);
