#pragma once
#include <cstdint>

// Numbers that stand for integers are rounded to the nearest, halves to even.
// A NaN gives 0 and values beyond the range are clamped, so no input traps.
int32_t RoundToInt32(double value);
int64_t RoundToInt64(double value);
// An address carried in a double.
inline void* AddressOf(double value) { return reinterpret_cast<void*>(static_cast<intptr_t>(RoundToInt64(value))); }
