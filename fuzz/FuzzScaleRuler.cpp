// Any scale-ruler name read by the ruler's parser: no crash, no signed
// overflow, and counts that keep the drawing to a bounded number of lines.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gl/ScaleRulerText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name = "@escala|" + std::string(reinterpret_cast<const char*>(data), size);
  const ScaleRuler r = ParseScaleRuler(name);
  if (r.majorTicks > kMaxRulerTicks + 1 || r.subSteps > kMaxRulerTicks + 1) std::abort();
  return 0;
}
