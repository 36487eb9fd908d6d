#pragma once
#include <cstddef>

// Asks the kernel to back the 2 MB-aligned interior of a large block with
// huge pages. Touching fresh memory page by page dominates loading a large
// document otherwise (one fault per 4 KB). Harmless where unsupported.
void AdviseHugePages(void* block, size_t size);
