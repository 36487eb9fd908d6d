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

DocumentResult SaveViewAsJpeg(GLView& view, const std::string& path) {
  return WriteViewJpeg(view, ChangeExtension(path, ".jpeg"));
}

DocumentResult WriteViewJpeg(GLView& view, const std::string& target) {
  if (!view.Surface || !view.Surface->MakeCurrent())
    return DocumentResult::Error(DocumentResult::Failed, "no GL context");
  const int w = view.Surface->Width(), h = view.Surface->Height();
  if (w <= 0 || h <= 0) return DocumentResult::Error(DocumentResult::Failed, "the view has no area");
  const std::vector<uint8_t> topDown = ReadFrameTopDown(w, h);
  std::string why;
  if (!WriteJpegFile(target, topDown, w, h, 75, &why))
    return DocumentResult::Error(DocumentResult::Failed, "cannot write " + target + ": " + why);
  return {};
}

std::string SaveTargetProblem(const std::string& path, const std::string& fileName) {
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
      return (target == path ? std::string() : target + ": ") + kOutputIsInput;
    // The reason names the file when it is not the one the caller named.
    if (std::string problem = WriteTargetProblem(target); !problem.empty())
      return target == path ? problem : target + ": " + problem;
  }
  if (writer == OutputWriter::Obj && !fileName.empty()) {
    const std::string copies = FolderPartOf(path) + "textures/";
    for (const TextureCopySource& texture : TexturesToCopy(TextureFolder()))
      if (SameFile(copies + texture.name, fileName)) return copies + texture.name + ": " + kOutputIsInput;
  }
  return {};
}

DocumentResult SaveDocument(SceneState& scene, const std::string& path, const std::string& fileName) {
  const std::string target = path.empty() ? fileName : path;
  if (target.empty()) return DocumentResult::Error(DocumentResult::Refused, "no file name");
  const OutputWriter writer = SaveFormatFor(path).writer;
  // Drawing a large scene takes a while: a file that cannot be written
  // fails before it.
  if (writer != OutputWriter::Document)
    if (std::string problem = SaveTargetProblem(path, fileName); !problem.empty())
      return DocumentResult::Error(DocumentResult::Refused, problem);
  if (writer == OutputWriter::Picture) {
    // Only the picture is drawn: it needs the view's GL context.
    if (!scene.view) return DocumentResult::Error(DocumentResult::Failed, "no GL context");
    scene.showEditAids = false;
    // The picture shows every shape exactly, however the view draws them.
    const DrawDetail detail = scene.detail;
    scene.detail = DrawDetail::Exact;
    DocumentResult result;
    try {
      Redraw(scene);
      result = SaveViewAsJpeg(*scene.view, path);
    } catch (const std::exception& e) {
      result = DocumentResult::Error(DocumentResult::Failed, e.what());
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
    if (!run.Problem().empty()) return DocumentResult::Error(DocumentResult::Refused, run.Problem());
    ExportOutcome outcome;
    try {
      run.BeginExport();
      RecordScene(scene, run.DrawingCanvas());  // no frame is shown, so none is drawn
      outcome = run.FinishExport();
    } catch (const std::bad_alloc&) {
      return DocumentResult::Error(DocumentResult::Failed, "not enough memory");
    } catch (const std::exception& e) {
      return DocumentResult::Error(DocumentResult::Failed, e.what());
    }
    if (!outcome.written) return DocumentResult::Error(DocumentResult::Failed, outcome.reason);
    if (outcome.failedTextures.empty()) return {};
    DocumentResult result = DocumentResult::Error(
        DocumentResult::Failed, std::to_string(outcome.failedTextures.size()) + " texture copies failed");
    for (const auto& failure : outcome.failedTextures) {
      result.reason += "; " + failure.file + ": " + failure.reason;
      result.failedFiles.push_back({failure.file, failure.reason});
    }
    return result;
  }
  if (IsMesh(writer))
    return ExportMeshFile(path, writer == OutputWriter::Glb ? MeshFormat::Glb : MeshFormat::Stl,
                          [&](Canvas& canvas) { RecordScene(scene, canvas); });
  if (!scene.elements) return DocumentResult::Error(DocumentResult::Failed, "no document");
  return WriteDocument(target, *scene.elements);
}
