#include "ObjExport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "FormatNumber.h"
#include "ObjRecording.h"
#include "common/DataPath.h"

namespace fs = std::filesystem;

namespace {
ExportOutcome& Outcome() {
  static ExportOutcome outcome;
  return outcome;
}

std::string TempPathFor(const std::string& path) { return path + ".tmp~"; }

std::string FileNamePart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes `text` beside `path` under a temporary name and renames it over
// `path`: readers see either the old file or the whole new one.
bool ReplaceFile(const std::string& path, const std::string& text, std::string& reason) {
  const std::string temp = TempPathFor(path);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      reason = "cannot create " + temp;
      return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temp, ignored);
      reason = "cannot write " + temp;
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    reason = "cannot replace " + path + ": " + ec.message();
    return false;
  }
  return true;
}

// The OBJ text goes to its temporary file as it grows, so a large export
// does not hold the whole text in memory.
constexpr size_t kSpillBytes = 1 << 22;

void WriteOut(ObjRecording& r) {
  if (!r.objFile || r.objText.empty()) return;
  if (std::fwrite(r.objText.data(), 1, r.objText.size(), r.objFile) != r.objText.size()) r.objWriteFailed = true;
  r.objText.clear();
}

void CloseObjFile(ObjRecording& r, bool keep) {
  if (!r.objFile) return;
  if (std::fclose(r.objFile) != 0) r.objWriteFailed = true;
  r.objFile = nullptr;
  if (!keep) {
    std::error_code ignored;
    fs::remove(TempPathFor(r.fileName), ignored);
  }
}

void CopyTextureFolder(const std::string& objPath) {
  std::error_code ec;
  const fs::path target = fs::path(objPath).parent_path() / "textures";
  fs::create_directories(target, ec);
  const fs::path source = DataPath("Vist3D/TEX");
  for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entryError;
    if (!it->is_regular_file(entryError)) continue;  // sub-folders are not textures
    fs::copy_file(it->path(), target / it->path().filename(), fs::copy_options::overwrite_existing,
                  entryError);
  }
}
}  // namespace

std::string MtlPathFor(const std::string& objPath) {
  const size_t slash = objPath.find_last_of('/');
  const size_t dot = objPath.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return objPath + ".mtl";
  return objPath.substr(0, dot) + ".mtl";
}

void StartExport(const std::string& objPath) {
  ObjRecording& r = Recording();
  r.fileName = objPath;
  r.active = true;
  Outcome() = ExportOutcome{};
  Outcome().reason = "the frame was not rebuilt";
}

void StopExport() {
  ObjRecording& r = Recording();
  CloseObjFile(r, false);  // an export whose frame never finished leaves nothing
  r.fileName.clear();
  r.active = false;
}

bool ExportActive() { return Recording().active; }

void BeginExport() {
  ObjRecording& r = Recording();
  if (r.fileName.empty() || !r.active) return;
  CloseObjFile(r, false);
  r.objText = "mtllib " + FileNamePart(MtlPathFor(r.fileName)) + "\n";
  r.mtlText.clear();
  r.objWriteFailed = false;
  r.objFile = std::fopen(TempPathFor(r.fileName).c_str(), "wb");
  if (!r.objFile) r.objWriteFailed = true;
  ResetRecordingState();
}

void BeginObject(const std::string& name) {
  ObjRecording& r = Recording();
  if (!r.active) return;
  if (r.objText.size() >= kSpillBytes) WriteOut(r);
  r.objText += "o " + name + "\n";
}

void DefineMaterial(const std::string& name, const std::string& texturePath) {
  ObjRecording& r = Recording();
  if (!r.active) return;
  std::string& m = r.mtlText;
  m += "newmtl " + name + "\n";
  m += "Ns 96.078431\n";
  m += "Ka 0.200000 0.200000 0.200000\n";
  m += "Kd";
  for (double c : r.currentColor) {
    m += ' ';
    AppendNumber(m, c);  // cut to six decimals by the format itself
  }
  m += "\n";
  m += "Ks 0.000000 0.000000 0.000000\n";
  m += "Ke 0.000000 0.000000 0.000000\n";
  m += "Ni 1.000000\n";
  m += "d 1.000000\n";
  m += "illum 2\n";
  m += "map_Kd textures/" + FileNamePart(texturePath) + "\n";
  m += "\n";
  r.objText += "usemtl " + name + "\n";
  r.objText += "s off\n";
}

ExportOutcome FinishExport() {
  ObjRecording& r = Recording();
  if (!r.active) return Outcome();
  r.active = false;
  ExportOutcome result;
  std::string reason;
  const std::string mtlPath = MtlPathFor(r.fileName);
  WriteOut(r);
  const bool opened = r.objFile != nullptr;
  CloseObjFile(r, true);
  std::error_code ec;
  if (!opened || r.objWriteFailed) {
    reason = "cannot write " + TempPathFor(r.fileName);
    fs::remove(TempPathFor(r.fileName), ec);
  } else {
    fs::rename(TempPathFor(r.fileName), r.fileName, ec);
    if (ec) {
      reason = "cannot replace " + r.fileName + ": " + ec.message();
      std::error_code ignored;
      fs::remove(TempPathFor(r.fileName), ignored);
    }
  }
  result.written = reason.empty() && ReplaceFile(mtlPath, r.mtlText, reason);
  result.reason = reason;
  if (result.written) CopyTextureFolder(r.fileName);  // no folder beside a failed export
  r.objText.clear();
  r.objText.shrink_to_fit();
  r.mtlText.clear();
  Outcome() = result;
  return result;
}

const ExportOutcome& LastExportOutcome() { return Outcome(); }
