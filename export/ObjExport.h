#pragma once
#include <string>

// One OBJ export run: the save command switches recording on, forces one
// rebuild of the scene, and the frame writes the files at its end.
//
//   StartExport(path)   recording on, output name set
//   BeginExport()       first thing of the frame: fresh texts and counters
//   BeginObject(name)   per element drawn, before its mesh
//   DefineMaterial(name, texturePath)
//   FinishExport()      after the frame: writes OBJ, MTL, copies textures
//   StopExport()        recording off, output name cleared

void StartExport(const std::string& objPath);
void StopExport();
bool ExportActive();

void BeginExport();
void BeginObject(const std::string& name);
void DefineMaterial(const std::string& name, const std::string& texturePath);

// The result of the last FinishExport, for the save command to report.
struct ExportOutcome {
  bool written = false;   // OBJ and MTL both in place
  std::string reason;     // why not, when not
};

// Writes the OBJ and MTL texts (each to a temporary file renamed into place,
// so an old export is never half overwritten) and, when both are written,
// copies every file of the program's texture folder into "textures/" beside
// the OBJ file (best-effort). Does nothing unless recording.
ExportOutcome FinishExport();
// What the last FinishExport did (cleared by StartExport).
const ExportOutcome& LastExportOutcome();

// "name.obj" -> "name.mtl" (only the extension changes).
std::string MtlPathFor(const std::string& objPath);
