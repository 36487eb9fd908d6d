#pragma once
#include <cstddef>
#include <initializer_list>
#include <string>

// Writing files so that a failure never destroys what was there: the new
// bytes go to a temporary file created exclusively in the target's folder,
// are flushed to disk, and only then renamed over the target.

// Why a save may not write `path`, or empty when it may: the target must be
// missing, a regular file or a link to one (never a pipe, a device or a
// folder), and its folder must exist and take new files.
std::string WriteTargetProblem(const std::string& path);

// Why new files cannot be made in `folder`, or empty.
std::string FolderProblem(const std::string& folder);

// Why `path` may not be read as a file, or empty: it must be a regular file
// (or a link to one). Checked before opening, so a pipe never blocks a read.
std::string ReadSourceProblem(const std::string& path);

// Where the bytes for `path` really go: a link is followed so that saving
// keeps the link.
std::string ResolvedTarget(const std::string& path);

// The name of the temporary file beside `target`, as a mkostemp template:
// the target's name, cut to leave room for the random part within NAME_MAX.
std::string TemporaryNameTemplate(const std::string& target);

// The new content of one file. The temporary file is created when the object
// is made: unnamed (O_TMPFILE) where the file system allows, so that nothing
// is left if the process dies, and given a temporary name only when
// finished; otherwise under a temporary name at once. It is removed again
// unless Commit succeeds, also when a signal ends the process once
// RemoveTempFilesOnInterrupt is installed.
// What a symbolic link at the target's name does: lead to the file that is
// replaced (the link stays), or be replaced itself by the new file.
enum class LinkRule { Follow, Replace };

class ReplacementFile {
 public:
  explicit ReplacementFile(const std::string& path, LinkRule links = LinkRule::Follow);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  bool ok() const { return error_.empty(); }
  // Why not, naming the file; the first failure wins.
  const std::string& Error() const { return error_; }
  const std::string& Target() const { return target_; }
  // Empty while the file has no name yet.
  const std::string& TempPath() const { return temp_; }

  bool Write(const void* data, size_t size);
  bool Write(const std::string& text) { return Write(text.data(), text.size()); }
  // Overwrites `size` bytes at `offset`, which were written before: a header
  // whose counts are known only at the end.
  bool WriteAt(unsigned long long offset, const void* data, size_t size);
  // Makes the file `size` bytes long, its room taken on the disk now where
  // the file system can (a full disk fails here, not halfway): a file laid
  // out in advance is then filled with WriteAt in any order.
  bool Reserve(unsigned long long size);
  // Puts what was written so far on the disk (not the file's size and
  // times, which the final flush takes), so that the final flush finds
  // little left. Safe while another thread writes. False when the disk
  // failed: the file must then fail (NoteFailure).
  bool FlushWritten() const;
  // A failure met outside the file's own calls (such as a flush made on
  // another thread): the file is not ok from now on.
  void NoteFailure(const std::string& what) { Fail(what); }
  // Bytes written (or reserved) since the last start.
  unsigned long long Size() const { return written_; }
  // Empties the temporary file for a fresh start.
  bool Restart();
  // Gives the file the target's permissions, flushes it to disk and closes it.
  bool Finish();
  // Renames the finished file over the target.
  bool Commit();

 private:
  friend bool CommitTogether(std::initializer_list<ReplacementFile*> files, std::string& error);
  bool Fail(const std::string& what);
  // Links the unnamed file under a fresh temporary name beside the target.
  bool NameUnnamedFile();
  std::string target_, temp_, error_;
  int fd_ = -1;
  int tempSlot_ = -1;  // in the list removed when a signal ends the process
  bool finished_ = false, committed_ = false;
  unsigned long long written_ = 0;  // bytes since the last start
};

// Renames finished files into place one after the other; when one cannot
// be, those already renamed get their previous content back, so either all
// change or none. `error` names the file that failed.
bool CommitTogether(std::initializer_list<ReplacementFile*> files, std::string& error);
