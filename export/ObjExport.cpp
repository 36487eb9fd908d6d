#include "ObjExport.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

#include "FormatNumber.h"
#include "ObjRecording.h"
#include "common/SafeFiles.h"
#include "common/TextureFolder.h"
#include "common/PlainFileName.h"

namespace fs = std::filesystem;

namespace {
ExportOutcome& Outcome() {
  static ExportOutcome outcome;
  return outcome;
}

std::string FileNamePart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Names go into one-line records: a control character (a line feed would
// start a record of its own) is written as "_".
std::string LineSafe(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
  return out;
}

// The element's name as the OBJ and MTL give it: never empty, and never one
// an earlier object took (the second "a" becomes "a_2"), so every "usemtl"
// finds its own colour. Unique names stay as they are.
std::string UniqueObjectName(ObjRecording& r, const std::string& name) {
  const std::string base = name.empty() ? "sem_nome" : LineSafe(name);
  std::string unique = base;
  for (uint64_t n = 2; !r.objectNames.insert(unique).second; ++n) unique = base + "_" + std::to_string(n);
  return unique;
}

void NoteProblem(ObjRecording& r, const std::string& file, const std::string& why) {
  if (r.fileProblem.empty()) r.fileProblem = FileNamePart(file) + ": " + why;
}

// The last of the OBJ text goes to the file, and every write is awaited.
void WriteOut(ObjRecording& r) {
  if (!r.objWriter) return;
  r.objText.Flush();
  if (!r.objWriter->Drain()) NoteProblem(r, r.fileName, r.objFile->Error());
}

void DropFiles(ObjRecording& r) {
  r.objText.WriteTo(nullptr);  // its blocks belong to the writer
  r.objWriter.reset();
  r.objFile.reset();  // removes the temporary files
  r.mtlFile.reset();
}

// Copies one texture through a temporary file; empty when copied (or gone
// from the folder), otherwise why not. `from`
// has its links resolved: one planted since is not followed, and a file
// that grew since is cut off rather than copied whole.
std::string CopyThrough(const std::string& from, const std::string& to) {
  ReplacementFile out(to);
  if (!out.ok()) return out.Error();
  const int in = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  // A texture removed since the folder was listed is no longer the
  // folder's: there is nothing to copy, and nothing failed.
  if (in < 0 && errno == ENOENT) return {};
  if (in < 0) return std::string("cannot read the texture: ") + std::strerror(errno);
  char buffer[1 << 16];
  std::string error;
  uint64_t copied = 0;
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = std::string("cannot read the texture: ") + std::strerror(errno);
    if (n > 0 && (copied += static_cast<uint64_t>(n)) > kMaxTextureCopyBytes)
      error = "not copied: it grew past " + std::to_string(kMaxTextureCopyBytes >> 20) + " MB";
    if (n <= 0 || !error.empty() || !out.Write(buffer, static_cast<size_t>(n))) break;
  }
  ::close(in);
  if (!error.empty()) return error;
  return out.Commit() ? std::string() : out.Error();
}

std::vector<ExportOutcome::TextureFailure> CopyTextureFolder(const std::string& objPath) {
  std::vector<ExportOutcome::TextureFailure> failed;
  std::error_code ec;
  const fs::path target = fs::path(objPath).parent_path() / "textures";
  fs::create_directories(target, ec);  // a failure shows in every copy below
  // The copies belong beside the export: a link in their place would send
  // them elsewhere, so a linked folder takes none and a linked file is
  // replaced by the copy itself.
  const bool linkedFolder = fs::is_symlink(target, ec);
  // Only files inside the texture folder, of bounded size; an oversized
  // one is reported like a copy that failed.
  for (const TextureCopySource& source : TexturesToCopy(TextureFolder())) {
    std::error_code entryError;
    const std::string to = (target / source.name).string();
    if (linkedFolder) {
      failed.push_back({to, "the textures folder is a link"});
      continue;
    }
    if (!source.skipped.empty()) {
      failed.push_back({to, source.skipped});
      continue;
    }
    if (fs::is_symlink(to, entryError)) fs::remove(to, entryError);
    if (std::string why = CopyThrough(source.path, to); !why.empty()) failed.push_back({to, why});
  }
  return failed;
}
}  // namespace

std::string MtlPathFor(const std::string& objPath) {
  const size_t slash = objPath.find_last_of('/');
  const size_t dot = objPath.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return objPath + ".mtl";
  return objPath.substr(0, dot) + ".mtl";
}

std::string StartExport(const std::string& objPath) {
  ObjRecording& r = Recording();
  DropFiles(r);
  r.fileName = objPath;
  r.active = true;
  r.fileProblem.clear();
  Outcome() = ExportOutcome{};
  Outcome().reason = "the frame was not rebuilt";
  // Both files are made now: a target that cannot be written fails before
  // the frame is drawn, not after.
  r.objFile = std::make_unique<ReplacementFile>(objPath);
  if (r.objFile->ok()) r.mtlFile = std::make_unique<ReplacementFile>(MtlPathFor(objPath));
  const ReplacementFile& failed = !r.objFile->ok() ? *r.objFile : *r.mtlFile;
  if (!failed.ok()) {
    NoteProblem(r, &failed == r.objFile.get() ? objPath : MtlPathFor(objPath), failed.Error());
    DropFiles(r);
    return r.fileProblem;
  }
  r.objFile->PreferUncached();
  try {
    r.objWriter = std::make_unique<BlockWriter>(*r.objFile);
  } catch (const std::exception&) {  // no memory for its blocks, or no thread
    NoteProblem(r, objPath, "not enough memory to write it");
    DropFiles(r);
    return r.fileProblem;
  }
  r.objText.WriteTo(r.objWriter.get());
  return r.fileProblem;
}

void StartObjectExport(RecordedObjectSink& sink) {
  ObjRecording& r = Recording();
  DropFiles(r);
  r.fileName.clear();
  r.fileProblem.clear();
  r.objectSink = &sink;
  r.active = true;
  Outcome() = ExportOutcome{};
  Outcome().reason = "the frame was not rebuilt";
}

void StopExport() {
  ObjRecording& r = Recording();
  DropFiles(r);  // an export whose frame never finished leaves nothing
  r.fileName.clear();
  r.active = false;
  r.objectSink = nullptr;
  r.objectOpen = false;
  r.object = RecordedObject{};  // an element may have been large
}

bool ExportActive() { return Recording().active; }

void BeginExport() {
  ObjRecording& r = Recording();
  if (r.active && r.objectSink) {
    r.textureFolder = TextureFolder();
    ResetRecordingState();
    r.objectSink->Restart();
    return;
  }
  if (r.fileName.empty() || !r.active) return;
  // A frame drawn again starts the file again.
  r.objText.Clear();
  if (r.objWriter && !r.objWriter->Drain()) NoteProblem(r, r.fileName, r.objFile->Error());
  if (r.objFile && !r.objFile->Restart()) NoteProblem(r, r.fileName, r.objFile->Error());
  r.objText.Append("mtllib " + LineSafe(FileNamePart(MtlPathFor(r.fileName))) + "\n");
  r.mtlText.clear();
  r.objectNames.clear();
  r.objectName.clear();
  r.textureFolder = TextureFolder();
  ResetRecordingState();
}

void BeginObject(const std::string& name) {
  ObjRecording& r = Recording();
  if (!r.active) return;
  if (r.objectSink) {
    if (r.objectOpen) r.objectSink->Take(r.object);
    r.object.Clear();
    r.object.name = LineSafe(name);
    r.objectOpen = true;
    return;
  }
  r.objectName = UniqueObjectName(r, name);
  r.objText.Append("o " + r.objectName + "\n");
}

void DefineMaterial(const std::string& name, const std::string& texturePath) {
  ObjRecording& r = Recording();
  if (!r.active) return;
  const std::string file = FileNamePart(texturePath);
  const std::string folder = texturePath.substr(0, texturePath.size() - file.size());
  // The texture is named exactly where the MTL below names a file.
  const bool namesFile = IsPlainFileName(file) && folder == r.textureFolder;
  if (r.objectSink) {
    for (int k = 0; k < 3; ++k) r.object.color[k] = static_cast<float>(NumberAsWritten(r.currentColor[k]));
    r.object.texturePath = namesFile ? texturePath : std::string();
    return;
  }
  // Named as its object; a material without one gets a name of its own.
  const std::string safeName = r.objectName.empty() ? UniqueObjectName(r, name) : r.objectName;
  r.objectName.clear();
  std::string& m = r.mtlText;
  m += "newmtl " + safeName + "\n";
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
  // An element without a texture keeps the empty reference; one whose
  // texture is not a file of the texture folder names nothing.
  if (texturePath.empty() || namesFile)
    m += "map_Kd textures/" + LineSafe(file) + "\n";
  m += "\n";
  r.objText.Append("usemtl " + safeName + "\n");
  r.objText.Append("s off\n");
}

ExportOutcome FinishExport() {
  ObjRecording& r = Recording();
  if (!r.active) return Outcome();
  if (r.objectSink) {
    if (r.objectOpen) r.objectSink->Take(r.object);
    r.objectOpen = false;
    r.active = false;
    Outcome() = ExportOutcome{};
    Outcome().written = true;  // the sink writes, and says how that went
    return Outcome();
  }
  r.active = false;
  ExportOutcome result;
  WriteOut(r);
  if (r.objFile && r.mtlFile && r.fileProblem.empty() && !r.mtlFile->Write(r.mtlText))
    NoteProblem(r, MtlPathFor(r.fileName), r.mtlFile->Error());
  if (!r.objFile || !r.mtlFile) NoteProblem(r, r.fileName, "the files were not made");
  std::string reason = r.fileProblem;
  if (reason.empty()) CommitTogether({r.objFile.get(), r.mtlFile.get()}, reason);  // names the file on failure
  DropFiles(r);
  result.written = reason.empty();
  result.reason = reason;
  if (result.written) result.failedTextures = CopyTextureFolder(r.fileName);  // none beside a failed export
  r.objText.Release();
  r.mtlText.clear();
  r.objectNames = {};
  Outcome() = result;
  return result;
}

const ExportOutcome& LastExportOutcome() { return Outcome(); }
