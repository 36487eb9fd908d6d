// The helpers compiled code uses to move texts and numbers across the
// boundary.
#include <algorithm>
#include <cstring>

#include "common/TextToNumber.h"
#include "scriptrt/NumberText.h"
#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

void WriteText(ScriptText* destination, std::string_view value) {
  if (!destination) return;
  const size_t n = std::min<size_t>(value.size(), destination->capacity);
  if (n > 0) std::memcpy(CharsOf(destination), value.data(), n);
  destination->length = static_cast<uint16_t>(n);
  if (n < destination->capacity) CharsOf(destination)[n] = 0;
}

extern "C" {

void zemoPoeString(ScriptText* destination, const ScriptText* source) {
  if (!destination) return;
  const std::string_view text = TextOf(source);
  const size_t n = std::min<size_t>(text.size(), destination->capacity);
  if (n > 0) std::memmove(CharsOf(destination), text.data(), n);
  destination->length = static_cast<uint16_t>(n);
}

void zemoAcrescentaString(ScriptText* destination, const ScriptText* source) {
  if (!destination || destination->length >= destination->capacity) return;
  const std::string_view text = TextOf(source);
  const size_t room = destination->capacity - destination->length;
  const size_t n = std::min(text.size(), room);
  if (n == 0) return;
  std::memmove(CharsOf(destination) + destination->length, text.data(), n);
  destination->length = static_cast<uint16_t>(destination->length + n);
}

void zemoFtStr(ScriptText* destination, double value) {
  if (!destination) return;
  const std::string text = NumberToText(value);
  // A record that states its capacity gets at most that many characters, and
  // the terminator only when there is room for it. Capacity 0 is what older
  // callers pass for a record sized for any number's text.
  if (destination->capacity > 0) {
    WriteText(destination, text);
    return;
  }
  std::memcpy(CharsOf(destination), text.data(), text.size());
  CharsOf(destination)[text.size()] = 0;
  destination->length = static_cast<uint16_t>(text.size());
}

void zemoFtStrNormal(ScriptPlainText* destination, double value) {
  if (!destination) return;
  const std::string text = NumberToText(value);
  std::memcpy(reinterpret_cast<char*>(destination) + 2, text.data(), text.size());
  destination->length = static_cast<uint16_t>(text.size());
}

double zemoStrFt(const ScriptText* text) { return TextToNumber(TextOf(text)); }

int32_t zemoDblInt(double value) { return RoundToInt32(value); }

double zemoIntDbl(int32_t value) { return value; }

void* zemoPoeParametro(int32_t slot, void* parameters, const char* characters) {
  if (slot < 1 || !parameters) return nullptr;
  auto* slotStart = static_cast<char*>(parameters) + static_cast<int64_t>(slot - 1) * kScriptParameterSlotBytes;
  uint16_t length = 0;
  // The plain text's length sits just before its characters.
  if (characters) std::memcpy(&length, characters - 2, sizeof length);
  const uint16_t n = std::min<uint16_t>(length, kScriptParameterMaxChars);
  if (n > 0) std::memmove(slotStart + 2, characters, n);
  std::memcpy(slotStart, &n, sizeof n);
  return slotStart;
}

}  // extern "C"
