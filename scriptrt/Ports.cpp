// Processor I/O ports, through a backend a host (or a test) may replace.
#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define ZEMO_HAVE_X86_PORTS 1
#endif

#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"

namespace {
// Direct access where the process may have it (root or CAP_SYS_RAWIO, ports
// below 0x400); elsewhere reads give 0 and writes do nothing.
bool MayAccess(uint16_t port) {
#ifdef ZEMO_HAVE_X86_PORTS
  return ioperm(port, 1, 1) == 0;
#else
  (void)port;
  return false;
#endif
}

int DirectRead(void*, uint16_t port) {
#ifdef ZEMO_HAVE_X86_PORTS
  if (MayAccess(port)) return inb(port);
#else
  (void)port;
#endif
  return 0;
}

void DirectWrite(void*, uint16_t port, uint8_t value) {
#ifdef ZEMO_HAVE_X86_PORTS
  if (MayAccess(port)) outb(value, port);
#else
  (void)port;
  (void)value;
#endif
}

ScriptPortBackend& Backend() {
  static ScriptPortBackend backend{nullptr, DirectRead, DirectWrite};
  return backend;
}
}  // namespace

extern "C" {

void ScriptPortInstall(const ScriptPortBackend* backend) {
  Backend() = backend ? *backend : ScriptPortBackend{nullptr, DirectRead, DirectWrite};
}

void zemoscriptprocWRITEPORT(double port, double value) {
  const ScriptPortBackend& b = Backend();
  if (b.Write) b.Write(b.context, static_cast<uint16_t>(RoundToInt32(port)), static_cast<uint8_t>(RoundToInt32(value)));
}

double zemoscriptREADPORT(double port) {
  const ScriptPortBackend& b = Backend();
  return b.Read ? (b.Read(b.context, static_cast<uint16_t>(RoundToInt32(port))) & 0xFF) : 0.0;
}

}  // extern "C"
