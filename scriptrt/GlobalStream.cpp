// The global value stream: a script saves its globals by a run of writes and
// restores them by a run of reads in the same order.
#include <cstring>
#include <memory>

#include "common/TIMem32.h"
#include "scriptrt/ScriptExports.h"

namespace {
struct GlobalStream {
  std::unique_ptr<TIMem32> buffer;
  int32_t writePos = 0;
  int32_t readPos = 0;
};

GlobalStream& Stream() {
  static GlobalStream stream;
  return stream;
}

void CreateIfNone(const char* name) {
  auto& s = Stream();
  if (s.buffer) return;
  s.buffer = std::make_unique<TIMem32>(name);
  s.buffer->RecordSize = 1;
  s.buffer->GrowBy = 2560;
  s.buffer->ZeroNew = true;
}

void Write(const void* variable, int32_t size, const char* name) {
  if (!variable) return;
  auto& s = Stream();
  s.readPos = 0;
  CreateIfNone(name);
  const int64_t end = static_cast<int64_t>(s.writePos) + size;
  if (end > TIMem32::kMaxBlockBytes) return;
  if (s.buffer->Count() < end) s.buffer->SetCount(static_cast<int32_t>(end));
  if (s.buffer->Count() < end) return;  // the store could not grow
  std::memcpy(s.buffer->Data() + s.writePos, variable, static_cast<size_t>(size));
  s.writePos = static_cast<int32_t>(end);
}

// Bytes beyond what was written read as zeros.
void Read(void* variable, int32_t size) {
  if (!variable) return;
  auto& s = Stream();
  s.writePos = 0;
  auto* out = static_cast<uint8_t*>(variable);
  std::memset(out, 0, static_cast<size_t>(size));
  const int32_t count = s.buffer && s.buffer->Data() ? s.buffer->Count() : 0;
  if (s.readPos < count) {
    const int32_t available = count - s.readPos < size ? count - s.readPos : size;
    std::memcpy(out, s.buffer->Data() + s.readPos, static_cast<size_t>(available));
  }
  if (s.readPos <= INT32_MAX - size) s.readPos += size;
}
}  // namespace

extern "C" {

void zemoscriptprocINICIAGRAVAGLOBAL(void) {
  CreateIfNone("asm init global");
  Stream().readPos = 0;
  Stream().writePos = 0;
}

void zemoscriptprocGRAVAGLOBAL8(const void* variable) { Write(variable, 8, "asm global 8"); }

void zemoscriptprocGRAVAGLOBAL259(const void* variable) { Write(variable, kScriptDefaultTextBytes, "asm global 259"); }

void zemoscriptprocLEGLOBAL8(void* variable) { Read(variable, 8); }

void zemoscriptprocLEGLOBAL259(void* variable) { Read(variable, kScriptDefaultTextBytes); }

}  // extern "C"
