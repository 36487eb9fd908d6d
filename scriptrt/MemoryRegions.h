#pragma once
#include <cstdint>

// Whether `size` bytes at `offset` inside the registered region starting at
// `base` may be touched (always, when the check is switched off).
bool RegionAllows(int64_t base, int32_t offset, int32_t size);
