// Tick counts, the high-resolution counter and waits.
#include <chrono>
#include <thread>

#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"

namespace {
using Clock = std::chrono::steady_clock;

int64_t TickMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

double Ticks() { return static_cast<double>(TickMs() & 0x7FFFFFFF); }

Clock::time_point& PerfStart() {
  static Clock::time_point start = Clock::now();
  return start;
}

// Taken when the library is loaded, as the counter's start.
[[maybe_unused]] const Clock::time_point& kStartTaken = PerfStart();
}  // namespace

extern "C" {

double zemoscriptTIMER(void) { return Ticks(); }
double zemoscriptFASTTIMER(void) { return Ticks(); }
double zemoscriptWINDOWSTIMER(void) { return Ticks(); }

double zemoscriptPERFORMANCECOUNTER(void) {
  return std::chrono::duration<double, std::milli>(Clock::now() - PerfStart()).count();
}

void zemoscriptprocRESETPERFORMANCECOUNTER(void) { PerfStart() = Clock::now(); }

void zemoscriptprocDELAY(double milliseconds) {
  const int64_t wait = RoundToInt32(milliseconds);
  const int64_t start = TickMs();
  while (TickMs() - start < wait) {
    // Busy on purpose: scripts use it for short, exact pauses.
  }
}

void zemoscriptprocSLEEP(double milliseconds) {
  const int32_t wait = RoundToInt32(milliseconds);
  if (wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds(wait));
}

}  // extern "C"
