#include "MeshExport.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "GlbWriter.h"
#include "ObjExport.h"
#include "RecordedObjReader.h"
#include "StlWriter.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"

namespace fs = std::filesystem;

namespace {
// A folder only this process writes to, removed with everything in it.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "objetos3d-export-XXXXXX").string();
    if (!ec && ::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~PrivateFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The texture names of the elements the frame draws, in drawing order.
std::vector<std::string> DrawnTextureNames(const TIMem32* elements) {
  std::vector<std::string> names;
  if (!elements || elements->RecordSize < static_cast<int32_t>(kElementRecordSize)) return names;
  for (int32_t i = 0; i < elements->Count(); ++i) {
    const Element3D& e = elements->As<Element3D>(i);
    if (e.invisible == 0) names.push_back(e.texture.str());
  }
  return names;
}
}  // namespace

bool MeshFormatForExtension(const std::string& extension, MeshFormat& format) {
  if (extension == ".glb") {
    format = MeshFormat::Glb;
    return true;
  }
  if (extension == ".stl") {
    format = MeshFormat::Stl;
    return true;
  }
  return false;
}

DocumentResult ExportMeshFile(const std::string& path, MeshFormat format, const TIMem32* elements,
                              const std::function<void()>& drawFrame) {
  const PrivateFolder folder;
  if (folder.path().empty())
    return DocumentResult::Error(DocumentResult::Failed, "cannot create a temporary folder");
  const std::string objPath = folder.path() + "/scene.obj";
  StartExport(objPath);
  try {
    drawFrame();
  } catch (const std::exception& e) {
    StopExport();
    return DocumentResult::Error(DocumentResult::Failed, e.what());
  }
  const ExportOutcome outcome = LastExportOutcome();
  StopExport();
  if (!outcome.written) return DocumentResult::Error(DocumentResult::Failed, outcome.reason);

  RecordedScene scene;
  std::string reason;
  if (!ReadRecordedObj(objPath, scene, reason)) return DocumentResult::Error(DocumentResult::Failed, reason);
  const bool written = format == MeshFormat::Glb
                           ? WriteGlb(scene, path, folder.path() + "/textures", DrawnTextureNames(elements), reason)
                           : WriteStl(scene, path, reason);
  if (!written) return DocumentResult::Error(DocumentResult::Failed, reason);
  return {};
}
