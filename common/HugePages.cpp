#include "HugePages.h"

#include <sys/mman.h>

#include <cstdint>

void AdviseHugePages(void* block, size_t size) {
#ifdef MADV_HUGEPAGE
  constexpr uintptr_t kHuge = uintptr_t{2} << 20;
  if (!block || size < 2 * kHuge) return;
  const auto begin = reinterpret_cast<uintptr_t>(block);
  const uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
  const uintptr_t last = (begin + size) & ~(kHuge - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)block;
  (void)size;
#endif
}
