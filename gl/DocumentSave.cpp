#include "DocumentSave.h"

#include <GL/gl.h>

#include <vector>

#include "DrawSurface.h"
#include "GLView.h"
#include "JpegCodec.h"
#include "SceneFrame.h"
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
  const std::string target = ChangeExtension(path, ".jpeg");
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
  if (!WriteJpegFile(target, topDown, w, h))
    return DocumentResult::Error(DocumentResult::Failed, "cannot write " + target);
  return {};
}

DocumentResult SaveDocument(SceneState& scene, const std::string& path, const std::string& fileName,
                            const std::function<void()>& clearUndo) {
  const std::string target = path.empty() ? fileName : path;
  if (target.empty()) return DocumentResult::Error(DocumentResult::Refused, "no file name");
  if (clearUndo) clearUndo();
  const std::string extension = ExtensionOf(path);
  if (extension == ".jpeg") {
    scene.showEditAids = false;
    DocumentResult result;
    try {
      Redraw(scene);
      result = SaveViewAsJpeg(*scene.view, path);
    } catch (const std::exception& e) {
      result = DocumentResult::Error(DocumentResult::Failed, e.what());
    }
    scene.showEditAids = true;
    try {
      Redraw(scene);
    } catch (const std::exception&) {
      // The picture is saved; a failed redraw of the aids is not its fault.
    }
    return result;
  }
  if (extension == ".obj") {
    StartExport(path);
    Redraw(scene);
    const ExportOutcome outcome = LastExportOutcome();
    StopExport();
    if (!outcome.written) return DocumentResult::Error(DocumentResult::Failed, outcome.reason);
    return {};
  }
  if (MeshFormat mesh; MeshFormatForExtension(extension, mesh))
    return ExportMeshFile(path, mesh, scene.elements, [&] { Redraw(scene); });
  if (!scene.elements) return DocumentResult::Error(DocumentResult::Failed, "no document");
  return WriteDocument(target, *scene.elements);
}
