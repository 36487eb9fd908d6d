#include "scriptrt/MemoryRegions.h"

#include <cstdlib>
#include <vector>

#include "scriptrt/ScriptHost.h"

namespace {
struct MemoryRegion {
  void* address;
  int32_t size;
};

struct Regions {
  std::vector<MemoryRegion> list;
  bool unchecked = false;
  ~Regions() {
    for (const MemoryRegion& r : list) std::free(r.address);
  }
};

Regions& AllRegions() {
  static Regions regions;
  return regions;
}
}  // namespace

bool RegionAllows(int64_t base, int32_t offset, int32_t size) {
  const Regions& r = AllRegions();
  if (r.unchecked) return true;
  if (offset < 0) return false;
  for (const MemoryRegion& region : r.list) {
    if (reinterpret_cast<intptr_t>(region.address) != base) continue;
    // The first region with this address decides.
    return static_cast<int64_t>(offset) + size - 1 <= static_cast<int64_t>(region.size) - 1;
  }
  return false;
}

extern "C" {

void* ScriptMemoryAllocateRegion(int32_t size) {
  if (size <= 0) return nullptr;
  void* block = std::calloc(static_cast<size_t>(size), 1);
  if (block) AllRegions().list.push_back({block, size});
  return block;
}

void ScriptMemoryFreeRegion(void* block) {
  auto& list = AllRegions().list;
  for (auto it = list.begin(); it != list.end(); ++it)
    if (it->address == block) {
      std::free(block);
      list.erase(it);
      return;
    }
}

void ScriptMemorySetUnchecked(int unchecked) { AllRegions().unchecked = unchecked != 0; }

}  // extern "C"
