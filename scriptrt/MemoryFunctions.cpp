// Raw memory for scripts. The bounded functions touch only registered
// regions; the unbounded ones trust the caller with the whole range.
#include <cstring>

#include "scriptrt/MemoryRegions.h"
#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace {
uint8_t* At(int64_t base, int32_t offset) { return reinterpret_cast<uint8_t*>(base) + offset; }

template <class T>
double ReadChecked(double base, double offset) {
  const int64_t b = RoundToInt64(base);
  const int32_t o = RoundToInt32(offset);
  if (!RegionAllows(b, o, sizeof(T))) return 0.0;
  T value;
  std::memcpy(&value, At(b, o), sizeof(T));
  return static_cast<double>(value);
}

template <class T>
void WriteChecked(double base, double offset, T value) {
  const int64_t b = RoundToInt64(base);
  const int32_t o = RoundToInt32(offset);
  if (RegionAllows(b, o, sizeof(T))) std::memcpy(At(b, o), &value, sizeof(T));
}

// The low bits of the rounded value.
template <class T>
T LowBits(double value) {
  return static_cast<T>(static_cast<uint64_t>(RoundToInt64(value)));
}
}  // namespace

extern "C" {

double zemoscriptMEMORYREADBYTE(double base, double offset) { return ReadChecked<uint8_t>(base, offset); }
double zemoscriptMEMORYREADWORD(double base, double offset) { return ReadChecked<uint16_t>(base, offset); }
double zemoscriptMEMORYREADLONG(double base, double offset) { return ReadChecked<int32_t>(base, offset); }
double zemoscriptMEMORYREADDOUBLE(double base, double offset) { return ReadChecked<double>(base, offset); }

void zemoscriptprocMEMORYWRITEBYTE(double base, double offset, double value) {
  WriteChecked(base, offset, LowBits<uint8_t>(value));
}
void zemoscriptprocMEMORYWRITEWORD(double base, double offset, double value) {
  WriteChecked(base, offset, LowBits<uint16_t>(value));
}
void zemoscriptprocMEMORYWRITELONG(double base, double offset, double value) {
  WriteChecked(base, offset, LowBits<uint32_t>(value));
}
void zemoscriptprocMEMORYWRITEDOUBLE(double base, double offset, double value) { WriteChecked(base, offset, value); }

double zemoscriptDCOLUMNE1(double base, double offset) {
  double value;
  std::memcpy(&value, At(RoundToInt64(base), RoundToInt32(offset)), sizeof value);
  return value;
}

void zemoscriptprocMEMORYCOPY(double source, double destination, double count) {
  const int32_t n = RoundToInt32(count);
  if (n <= 0) return;
  std::memmove(AddressOf(destination), AddressOf(source), static_cast<size_t>(n));
}

double zemoscriptMEMORYFINDBYTE(double base, double from, double to, double byteValue) {
  const int64_t b = RoundToInt64(base);
  const int32_t first = RoundToInt32(from), last = RoundToInt32(to);
  const auto wanted = LowBits<uint8_t>(byteValue);
  for (int64_t i = first; i <= last; ++i)
    if (*At(b, static_cast<int32_t>(i)) == wanted) return static_cast<double>(i);
  return -1.0;
}

double zemoscriptMEMORYFINDTEXT(double base, double from, double to, const ScriptText* text) {
  const int64_t b = RoundToInt64(base);
  const std::string_view wanted = TextOf(text);
  const int64_t first = RoundToInt32(from);
  const int64_t last = static_cast<int64_t>(RoundToInt32(to)) - static_cast<int64_t>(wanted.size()) + 1;
  if (last < first) return -1.0;
  if (wanted.empty()) return static_cast<double>(first);
  for (int64_t i = first; i <= last; ++i)
    if (std::memcmp(At(b, static_cast<int32_t>(i)), wanted.data(), wanted.size()) == 0) return static_cast<double>(i);
  return -1.0;
}

}  // extern "C"
