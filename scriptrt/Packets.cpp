// Packet and serial-buffer entry points. Compiled scripts still call them,
// but packets are no longer sent from this run-time: most do nothing.
#include <cstdlib>
#include <vector>

#include "scriptrt/ScriptExports.h"

namespace {
struct SerialBuffer {
  int32_t tag;
  void* input;
  void* output;
};

// Nothing in this run-time fills it; PREPARARBUFFERCOM empties it.
std::vector<SerialBuffer>& SerialBuffers() {
  static std::vector<SerialBuffer> buffers;
  return buffers;
}
}  // namespace

extern "C" {

void zemoscriptprocPACOTE(double) {}
void zemoscriptprocPREPARAPACOTE(void) {}
void zemoscriptprocFECHAPACOTES(void) {}
double zemoscriptPACOTEPONTEIRO(double) { return 0.0; }
void zemoscriptprocFASTWIZCOM(double, double, double, double, double) {}

void zemoscriptprocPREPARARBUFFERCOM(void) {
  auto& buffers = SerialBuffers();
  for (SerialBuffer& b : buffers) {
    std::free(b.input);
    std::free(b.output);
    b.input = b.output = nullptr;
  }
  buffers.clear();
  buffers.shrink_to_fit();
}

}  // extern "C"
