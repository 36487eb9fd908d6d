#pragma once
#include <cstdint>
#include <functional>
#include <string>

// A named, growable array of fixed-size records in one contiguous block: the
// container of every subsystem. Index access never fails: an index out of
// range yields record 0, and a store without storage a shared zero scratch
// record, so a stale index can at worst read or write the wrong record.
// Growth is by a fixed GrowBy, not geometric.
class TIMem32 {
 public:
  explicit TIMem32(std::string debugName = {});
  ~TIMem32();
  TIMem32(const TIMem32&) = delete;
  TIMem32& operator=(const TIMem32&) = delete;

  // Settings; change them before the first allocation.
  std::string DebugName;
  int32_t RecordSize = 4;
  int32_t GrowBy = 10;
  bool ZeroNew = false;
  bool OwnsBlock = true;
  bool AllowShrink = true;
  // The index DeleteAtPosition removes.
  int32_t Position = 0;

  // Optional notifications: OnClear at the start of Clear; OnDelete before
  // records first..last are removed.
  std::function<void(TIMem32&)> OnClear;
  std::function<void(TIMem32&, int32_t first, int32_t last)> OnDelete;

  int32_t Count() const { return count_; }
  int32_t Capacity() const { return capacity_; }
  bool HasBlock() const { return block_ != nullptr; }

  // The record at `index`; see the class comment for out-of-range indices.
  // The pointer is invalidated by any call that reallocates.
  uint8_t* Item(int32_t index);
  const uint8_t* Item(int32_t index) const { return const_cast<TIMem32*>(this)->Item(index); }
  template <class T>
  T& As(int32_t index) {
    return *reinterpret_cast<T*>(Item(index));
  }
  template <class T>
  const T& As(int32_t index) const {
    return *reinterpret_cast<const T*>(Item(index));
  }
  // Raw records 0..Count-1 (null when there is no block).
  uint8_t* Data() { return block_; }
  const uint8_t* Data() const { return block_; }

  void SetCount(int32_t n);
  // Makes room for `n` records in one step, the count unchanged, so that a
  // run of appends does not move the block once per GrowBy records. A request
  // the store cannot meet leaves it as it is.
  void Reserve(int32_t n);
  void Allocate(int32_t n);
  void Assign(TIMem32& source);
  void DeleteAtPosition();
  void Clear();

  // Size in bytes of the process-wide scratch record.
  static constexpr int32_t kScratchSize = 65535;
  // Largest block Allocate and SetCount will obtain.
  static constexpr int64_t kMaxBlockBytes = 2000000000;

 private:
  void Log(const std::string& message) const;
  int64_t BytesFor(int32_t records) const;
  // Reallocates the block for `n` records plus GrowBy; false when it cannot.
  bool Resize(int32_t n);

  uint8_t* block_ = nullptr;
  int32_t capacity_ = 0;
  int32_t count_ = 0;
};

// Memory log: ALLOWMEM=1 in the [LOG] section of log.ini switches it on.
bool MemoryLogEnabled();
void SetMemoryLogEnabled(bool on);
// The last store access, "name ps index", kept while the memory log is on.
const std::string& LastStoreAccess();
