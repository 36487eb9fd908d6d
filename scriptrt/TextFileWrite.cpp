// Appends lines to a text file that the script's host opened: the file
// reference is the address of a { handle, position } record.
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <string>

#include "common/FileDescriptorIo.h"
#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace {
#pragma pack(push, 1)
struct TextFileRecord {
  int32_t handle;    // file descriptor
  int32_t position;  // byte offset of the next write
};
#pragma pack(pop)

// The last reference passed in; the record belongs to whoever made it.
double lastTextFile = 0;
}  // namespace

extern "C" void zemoscriptprocTEXTFILEWRITE(double fileReference, const ScriptText* text) {
  lastTextFile = fileReference;
  if (!std::isfinite(fileReference) || fileReference == 0) return;
  auto* record = static_cast<TextFileRecord*>(AddressOf(fileReference));
  if (!record || record->handle <= 0) return;
  // The whole line goes out, however long.
  std::string line(TextOf(text));
  line += "\r\n";
  if (lseek(record->handle, record->position, SEEK_SET) < 0) return;
  const size_t done = WriteFully(record->handle, line.data(), line.size());
  record->position = static_cast<int32_t>(record->position + static_cast<int64_t>(done));
}
