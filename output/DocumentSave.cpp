#include "DocumentSave.h"

#include <new>
#include <vector>

#include "OutputFormats.h"
#include "common/FileIdentity.h"
#include "common/PathParts.h"
#include "common/SafeFiles.h"
#include "common/TextureFolder.h"
#include "export/MeshExport.h"
#include "export/ObjExport.h"
#include "gl/DrawSurface.h"
#include "gl/FrameReadBack.h"
#include "gl/GLView.h"
#include "gl/SceneFrame.h"
#include "gl/SceneRecording.h"
#include "image/JpegCodec.h"

namespace {
bool IsMesh(OutputWriter writer) { return writer == OutputWriter::Glb || writer == OutputWriter::Stl; }
}  // namespace

Outcome SaveViewAsJpeg(GLView& view, const std::string& path) {
  return WriteViewJpeg(view, ChangeExtension(path, ".jpeg"));
}

Outcome WriteViewJpeg(GLView& view, const std::string& target) {
  if (!view.Surface || !view.Surface->MakeCurrent()) return Outcome::Error(Outcome::Failed, "no GL context");
  const int w = view.Surface->Width(), h = view.Surface->Height();
  if (w <= 0 || h <= 0) return Outcome::Error(Outcome::Failed, "the view has no area");
  const std::vector<uint8_t> topDown = ReadFrameTopDown(w, h);
  Outcome written = WriteJpegFile(target, topDown, w, h);
  if (!written.ok()) written.reason = "cannot write " + target + ": " + written.reason;
  return written;
}

Outcome CheckSaveTarget(const std::string& path, const std::string& fileName) {
  const OutputWriter writer = SaveFormatFor(path).writer;
  const bool exported = writer != OutputWriter::Document;
  std::vector<std::string> targets;
  if (writer == OutputWriter::Picture)
    targets = {ChangeExtension(path, ".jpeg")};
  else if (writer == OutputWriter::Obj)
    targets = {path, MtlPathFor(path)};
  else
    targets = {path.empty() ? fileName : path};
  // A picture or an export written over the document it is made from (or
  // its material file or a texture copy landing on it, through a link or
  // another name of the same file) would destroy it.
  for (const std::string& target : targets) {
    if (exported && SameFile(target, fileName))
      return Outcome::Error(Outcome::Refused, (target == path ? std::string() : target + ": ") + kOutputIsInput);
    // The reason names the file when it is not the one the caller named.
    if (std::string problem = WriteTargetProblem(target); !problem.empty())
      return Outcome::Error(Outcome::Refused, target == path ? problem : target + ": " + problem);
  }
  if (writer == OutputWriter::Obj && !fileName.empty()) {
    const std::string copies = FolderPartOf(path) + "textures/";
    for (const TextureCopySource& texture : TexturesToCopy(TextureFolder()))
      if (SameFile(copies + texture.name, fileName))
        return Outcome::Error(Outcome::Refused, copies + texture.name + ": " + kOutputIsInput);
  }
  return {};
}

Outcome SaveDocument(SceneState& scene, const std::string& path, const std::string& fileName) {
  const std::string target = path.empty() ? fileName : path;
  if (target.empty()) return Outcome::Error(Outcome::Refused, "no file name");
  const OutputWriter writer = SaveFormatFor(path).writer;
  // Drawing a large scene takes a while: a file that cannot be written
  // fails before it.
  if (writer != OutputWriter::Document)
    if (Outcome target = CheckSaveTarget(path, fileName); !target.ok()) return target;
  if (writer == OutputWriter::Picture) {
    // Only the picture is drawn: it needs the view's GL context.
    if (!scene.view) return Outcome::Error(Outcome::Failed, "no GL context");
    scene.showEditAids = false;
    // The picture shows every shape exactly, however the view draws them.
    const DrawDetail detail = scene.detail;
    scene.detail = DrawDetail::Exact;
    Outcome result;
    try {
      Redraw(scene);
      result = SaveViewAsJpeg(*scene.view, path);
    } catch (const std::exception& e) {
      result = Outcome::Error(Outcome::Failed, e.what());
    }
    scene.showEditAids = true;
    scene.detail = detail;
    try {
      Redraw(scene);
    } catch (const std::exception&) {
      // The picture is saved; a failed redraw of the aids is not its fault.
    }
    return result;
  }
  if (writer == OutputWriter::Obj) {
    ObjExport run(path);  // whatever way this ends, unfinished files go
    if (Outcome ready = run.Ready(); !ready.ok()) return ready;
    try {
      run.BeginExport();
      RecordScene(scene, run.DrawingCanvas());  // no frame is shown, so none is drawn
      return run.FinishExport();
    } catch (const std::bad_alloc&) {
      return Outcome::Error(Outcome::Failed, "not enough memory");
    } catch (const std::exception& e) {
      return Outcome::Error(Outcome::Failed, e.what());
    }
  }
  if (IsMesh(writer))
    return ExportMeshFile(path, writer == OutputWriter::Glb ? MeshFormat::Glb : MeshFormat::Stl,
                          [&](Canvas& canvas) { RecordScene(scene, canvas); });
  if (!scene.elements) return Outcome::Error(Outcome::Failed, "no document");
  return WriteDocument(target, *scene.elements);
}
