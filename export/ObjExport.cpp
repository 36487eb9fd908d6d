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
#include "common/BlockWriter.h"
#include "common/FileDescriptorIo.h"
#include "common/PathParts.h"
#include "common/PlainFileName.h"
#include "common/SafeFiles.h"
#include "common/TextureFolder.h"

namespace fs = std::filesystem;

namespace {
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
  const CopyEnd end = CopyBytes(
      in, [&](const void* bytes, size_t size) { return out.Write(bytes, size); }, kMaxTextureCopyBytes);
  std::string error;
  if (end == CopyEnd::ReadFailed) error = std::string("cannot read the texture: ") + std::strerror(errno);
  if (end == CopyEnd::TooLarge)
    error = "not copied: it grew past " + std::to_string(kMaxTextureCopyBytes >> 20) + " MB";
  ::close(in);
  if (!error.empty()) return error;
  return out.Commit() ? std::string() : out.Error();
}

std::vector<Outcome::FileFailure> CopyTextureFolder(const std::string& objPath) {
  std::vector<Outcome::FileFailure> failed;
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

std::string MtlPathFor(const std::string& objPath) { return ChangeExtension(objPath, ".mtl"); }

void ObjExport::NoteProblem(const std::string& file, const std::string& why) {
  if (fileProblem_.empty()) fileProblem_ = FileNameOf(file) + ": " + why;
}

void ObjExport::DropFiles() {
  canvas_.ObjText().WriteTo(nullptr);  // its blocks belong to the writer
  objWriter_.reset();
  objFile_.reset();  // removes the temporary files
  mtlFile_.reset();
}

ObjExport::ObjExport(const std::string& objPath) : fileName_(objPath) {
  // Both files are made now: a target that cannot be written fails before
  // the frame is drawn, not after.
  objFile_ = std::make_unique<ReplacementFile>(objPath);
  if (objFile_->ok()) mtlFile_ = std::make_unique<ReplacementFile>(MtlPathFor(objPath));
  const ReplacementFile& failed = !objFile_->ok() ? *objFile_ : *mtlFile_;
  if (!failed.ok()) {
    NoteProblem(&failed == objFile_.get() ? objPath : MtlPathFor(objPath), failed.Error());
    DropFiles();
    return;
  }
  try {
    objWriter_ = std::make_unique<BlockWriter>(*objFile_);
  } catch (const std::exception&) {  // no memory for its blocks, or no thread
    NoteProblem(objPath, "not enough memory to write it");
    DropFiles();
    return;
  }
  canvas_.ObjText().WriteTo(objWriter_.get());
  // The MTL text goes to its file a megabyte at a time; a failed write
  // stays with the file and fails the export at its end.
  canvas_.SpillMtlText(size_t{1} << 20, [this](const std::string& text) {
    if (mtlFile_ && mtlFile_->ok()) mtlFile_->Write(text);
  });
}

// An export whose frame never finished leaves nothing.
ObjExport::~ObjExport() { DropFiles(); }

void ObjExport::BeginExport() {
  canvas_.ObjText().Clear();
  if (objWriter_ && !objWriter_->Drain()) NoteProblem(fileName_, objFile_->Error());
  if (objFile_ && !objFile_->Restart()) NoteProblem(fileName_, objFile_->Error());
  if (mtlFile_ && !mtlFile_->Restart()) NoteProblem(MtlPathFor(fileName_), mtlFile_->Error());
  canvas_.BeginExport(FileNameOf(MtlPathFor(fileName_)));
}

Outcome ObjExport::FinishExport() {
  if (finished_) return Outcome::Error(Outcome::Failed, "the export was finished already");
  finished_ = true;
  // The last of the OBJ text goes to the file. While the writer thread
  // writes it, the MTL text is written and flushed here, so the final flush
  // of both finds little left; then every OBJ write is awaited.
  if (objWriter_) canvas_.ObjText().Flush();
  if (objFile_ && mtlFile_ && fileProblem_.empty() && mtlFile_->Write(canvas_.MtlText()) && !mtlFile_->FlushWritten())
    mtlFile_->NoteFailure("cannot flush");
  const bool mtlFailed = mtlFile_ && !mtlFile_->ok();
  // The OBJ's failure is told first, as it is the file asked for.
  if (objWriter_ && !objWriter_->Drain()) NoteProblem(fileName_, objFile_->Error());
  if (mtlFailed) NoteProblem(MtlPathFor(fileName_), mtlFile_->Error());
  if (!objFile_ || !mtlFile_) NoteProblem(fileName_, "the files were not made");
  std::string reason = fileProblem_;
  if (reason.empty()) CommitTogether({objFile_.get(), mtlFile_.get()}, reason);  // names the file on failure
  DropFiles();
  canvas_.ObjText().Release();
  canvas_.MtlText().clear();
  canvas_.ForgetNames();
  if (!reason.empty()) return Outcome::Error(Outcome::Failed, reason);
  // Textures are copied only beside a written export.
  Outcome result;
  result.failedFiles = CopyTextureFolder(fileName_);
  if (result.failedFiles.empty()) return result;
  result.status = Outcome::Failed;
  result.reason = std::to_string(result.failedFiles.size()) + " texture copies failed";
  for (const Outcome::FileFailure& failure : result.failedFiles)
    result.reason += "; " + failure.file + ": " + failure.reason;
  return result;
}
