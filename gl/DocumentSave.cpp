#include "DocumentSave.h"

#include <GL/gl.h>

#include <new>
#include <vector>

#include "DrawSurface.h"
#include "GLView.h"
#include "JpegCodec.h"
#include "SceneFrame.h"
#include "SceneRecording.h"
#include "common/FileIdentity.h"
#include "common/SafeFiles.h"
#include "common/TextureFolder.h"
#include "export/MeshExport.h"
#include "export/ObjExport.h"

namespace {
std::string ExtensionOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot);
}
}  // namespace

std::string ChangeExtension(const std::string& path, const std::string& extension) {
  const std::string old = ExtensionOf(path);
  return path.substr(0, path.size() - old.size()) + extension;
}

DocumentResult SaveViewAsJpeg(GLView& view, const std::string& path) {
  return WriteViewJpeg(view, ChangeExtension(path, ".jpeg"));
}

DocumentResult WriteViewJpeg(GLView& view, const std::string& target) {
  if (!view.Surface || !view.Surface->MakeCurrent())
    return DocumentResult::Error(DocumentResult::Failed, "no GL context");
  const int w = view.Surface->Width(), h = view.Surface->Height();
  if (w <= 0 || h <= 0) return DocumentResult::Error(DocumentResult::Failed, "the view has no area");
  std::vector<uint8_t> bottomUp(static_cast<size_t>(w) * h * 3);
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  std::vector<uint8_t> topDown(bottomUp.size());
  const size_t row = static_cast<size_t>(w) * 3;
  for (int y = 0; y < h; ++y)
    std::copy_n(bottomUp.data() + (h - 1 - y) * row, row, topDown.data() + y * row);
  std::string why;
  if (!WriteJpegFile(target, topDown, w, h, 75, &why))
    return DocumentResult::Error(DocumentResult::Failed, "cannot write " + target + ": " + why);
  return {};
}

std::string SaveTargetProblem(const std::string& path, const std::string& fileName) {
  const std::string extension = ExtensionOf(path);
  MeshFormat mesh;
  const bool exported = extension == ".jpeg" || extension == ".obj" || MeshFormatForExtension(extension, mesh);
  std::vector<std::string> targets;
  if (extension == ".jpeg")
    targets = {ChangeExtension(path, ".jpeg")};
  else if (extension == ".obj")
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
  if (extension == ".obj" && !fileName.empty()) {
    const size_t slash = path.find_last_of('/');
    const std::string copies = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "textures/";
    for (const TextureCopySource& texture : TexturesToCopy(TextureFolder()))
      if (SameFile(copies + texture.name, fileName)) return copies + texture.name + ": " + kOutputIsInput;
  }
  return {};
}

DocumentResult SaveDocument(SceneState& scene, const std::string& path, const std::string& fileName) {
  const std::string target = path.empty() ? fileName : path;
  if (target.empty()) return DocumentResult::Error(DocumentResult::Refused, "no file name");
  const std::string extension = ExtensionOf(path);
  // Drawing a large scene takes a while: a file that cannot be written
  // fails before it.
  MeshFormat mesh;
  const bool isMesh = MeshFormatForExtension(extension, mesh);
  if (extension == ".jpeg" || extension == ".obj" || isMesh)
    if (std::string problem = SaveTargetProblem(path, fileName); !problem.empty())
      return DocumentResult::Error(DocumentResult::Refused, problem);
  if (extension == ".jpeg") {
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
  if (extension == ".obj") {
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
  if (isMesh)
    return ExportMeshFile(path, mesh, [&](Canvas& canvas) { RecordScene(scene, canvas); });
  if (!scene.elements) return DocumentResult::Error(DocumentResult::Failed, "no document");
  return WriteDocument(target, *scene.elements);
}
