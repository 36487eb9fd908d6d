#pragma once
#include <memory>
#include <string>

#include "ObjCanvas.h"
#include "common/Outcome.h"

class BlockWriter;
class Canvas;
class ReplacementFile;

// One OBJ export run, and its scope: whatever path leaves it, an export
// whose files were not finished leaves nothing behind.
//
//   ObjExport run(path)     the files checked and made (Ready())
//   BeginExport()           first thing of the frame: fresh texts and counters
//   draw the frame into Canvas(): per element BeginObject, Material, its mesh
//   FinishExport()          after the frame: writes OBJ, MTL, copies textures
class ObjExport {
 public:
  // Before anything is drawn it checks that the OBJ and its MTL can be
  // written (each missing or a regular file, in a folder that takes files)
  // and creates their temporary files.
  explicit ObjExport(const std::string& objPath);
  ~ObjExport();
  ObjExport(const ObjExport&) = delete;
  ObjExport& operator=(const ObjExport&) = delete;

  // Refused, naming the file, when the files could not be made.
  Outcome Ready() const { return fileProblem_.empty() ? Outcome() : Outcome::Error(Outcome::Refused, fileProblem_); }
  Canvas& DrawingCanvas() { return canvas_; }
  // A frame drawn again starts the files again.
  void BeginExport();
  // Writes the OBJ and MTL texts to their temporary files, flushes both and
  // only then renames them into place together: on any failure the
  // previous OBJ and MTL both stay as they were. When both are written,
  // every plain-named file of the program's texture folder is copied into
  // "textures/" beside the OBJ file, each through its own temporary file;
  // copies that fail are listed in failedFiles (and counted and joined
  // into the reason: the export then fails), and so are files larger than
  // 64 MB, which are skipped. Links leading out of the folder are not
  // copied. Once only.
  Outcome FinishExport();

 private:
  void NoteProblem(const std::string& file, const std::string& why);
  void DropFiles();

  std::string fileName_;  // the OBJ file to write
  ObjCanvas canvas_;
  // The new OBJ and MTL files, made before the frame is drawn.
  std::unique_ptr<ReplacementFile> objFile_, mtlFile_;
  std::unique_ptr<BlockWriter> objWriter_;  // writes objFile beside the drawing
  std::string fileProblem_;                 // why they could not be made or written
  bool finished_ = false;
};

// "name.obj" -> "name.mtl" (only the extension changes).
std::string MtlPathFor(const std::string& objPath);
