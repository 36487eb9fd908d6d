#include "TIMem32.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "HugePages.h"
#include "common/DebugLog.h"
#include "common/IniFile.h"
#include "common/LocalTime.h"
#include "common/ProgramFolder.h"

namespace {
struct MemoryLogState {
  std::string path;
  std::string lastAccess;
};

MemoryLogState& MemLog() {
  static MemoryLogState state;
  return state;
}

// -1 until log.ini has been read; every record access tests it, so it is a
// plain flag rather than anything that needs a guard.
int8_t memoryLogSwitch = -1;

uint8_t* ScratchRecord() {
  static uint8_t scratch[TIMem32::kScratchSize] = {};
  return scratch;
}

int32_t CheckedAdd(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_add_overflow(a, b, &r)) throw std::overflow_error("record store: count overflow");
  return r;
}
}  // namespace

bool MemoryLogEnabled() {
  if (memoryLogSwitch < 0) memoryLogSwitch = ReadIniText(ProgramFolder() + "log.ini", "LOG", "ALLOWMEM") == "1";
  return memoryLogSwitch == 1;
}

void SetMemoryLogEnabled(bool on) { memoryLogSwitch = on ? 1 : 0; }

const std::string& LastStoreAccess() { return MemLog().lastAccess; }

TIMem32::TIMem32(std::string debugName) : DebugName(std::move(debugName)) {}

TIMem32::~TIMem32() { Clear(); }

void TIMem32::Log(const std::string& message) const {
  if (!MemoryLogEnabled()) return;
  AppendLogLine(MemLog().path, "DEBUGLOGMEM",
                "\r\n" + TimeStampHHNNSS() + " " + DebugName + " reg=" + std::to_string(RecordSize) +
                    " size=" + std::to_string(capacity_) + " : " + message);
}

int64_t TIMem32::BytesFor(int32_t records) const { return (static_cast<int64_t>(records) + GrowBy) * RecordSize; }

uint8_t* TIMem32::Item(int32_t index) {
  if (MemoryLogEnabled()) MemLog().lastAccess = DebugName + " ps " + std::to_string(index);
  if (!block_) {
    Log("err nil ps " + std::to_string(index));
    return ScratchRecord();
  }
  if (index < 0 || index > count_ - 1) {
    Log("err ps " + std::to_string(index));
    index = 0;
  }
  return block_ + static_cast<int64_t>(index) * RecordSize;
}

void TIMem32::Allocate(int32_t n) {
  Clear();
  const int64_t size = BytesFor(n);
  if (size < 1 || size > kMaxBlockBytes) return;
  block_ = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(size), 1));
  if (!block_) return;
  AdviseHugePages(block_, static_cast<size_t>(size));
  count_ = n;
  capacity_ = CheckedAdd(n, GrowBy);
}

void TIMem32::SetCount(int32_t n) {
  if (n == count_) return;
  if (n < 0) {
    // A negative count is a caller's fault; keep the records.
    Log("err " + std::to_string(n));
    return;
  }
  if (count_ == 0 && capacity_ == 0) {
    Allocate(n);
    return;
  }
  if (n <= capacity_ && n > count_) {
    count_ = n;
    return;
  }
  if (!AllowShrink && n < count_) return;

  if (Resize(n)) count_ = n;
}

bool TIMem32::Resize(int32_t n) {
  const int32_t newCapacity = CheckedAdd(n, GrowBy);
  const int64_t size = BytesFor(n);
  Log("realloc " + std::to_string(n));
  if (size < 1 || size > kMaxBlockBytes) {
    Log("err " + std::to_string(n));
    return false;
  }
  auto* grown = static_cast<uint8_t*>(std::realloc(block_, static_cast<size_t>(size)));
  if (!grown) {
    Log("err " + std::to_string(n));
    return false;
  }
  block_ = grown;
  AdviseHugePages(block_, static_cast<size_t>(size));
  if (ZeroNew && n > count_) {
    const int64_t from = static_cast<int64_t>(count_) * RecordSize;
    std::memset(block_ + from, 0, static_cast<size_t>(size - from));
  }
  capacity_ = newCapacity;
  return true;
}

void TIMem32::Reserve(int32_t n) {
  if (n <= capacity_) return;
  if (block_) {
    Resize(n);
  } else if (count_ == 0) {
    Allocate(n);
    count_ = 0;
  }
}

void TIMem32::Assign(TIMem32& source) {
  if (&source == this) return;
  Clear();
  ZeroNew = source.ZeroNew;
  GrowBy = source.GrowBy;
  RecordSize = source.RecordSize;
  Allocate(source.count_);
  Position = 0;
  source.Position = 0;
  if (block_ && source.block_ && count_ > 0)
    std::memcpy(block_, source.block_, static_cast<size_t>(count_) * RecordSize);
}

void TIMem32::DeleteAtPosition() {
  if (count_ == 0) return;
  if (OnDelete) OnDelete(*this, Position, Position);
  if (block_ && Position >= 0 && Position < count_ - 1) {
    std::memmove(block_ + static_cast<int64_t>(Position) * RecordSize,
                 block_ + static_cast<int64_t>(Position + 1) * RecordSize,
                 static_cast<size_t>(count_ - 1 - Position) * RecordSize);
  }
  // The block keeps its size; Capacity is lowered with Count.
  --count_;
  if (capacity_ > 0) --capacity_;
}

void TIMem32::Clear() {
  if (OnClear) OnClear(*this);
  if (OnDelete && count_ > 0) OnDelete(*this, 0, count_ - 1);
  if (OwnsBlock) std::free(block_);
  block_ = nullptr;
  count_ = 0;
  capacity_ = 0;
}
