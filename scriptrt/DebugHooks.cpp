// The debugger's entry points: compiled scripts call them on every line and
// for watched variables; a host that runs a debugger installs the hooks.
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace {
struct DebugState {
  ScriptDebugHooks hooks{};
  std::vector<std::pair<std::string, int32_t>> breakpoints;
  std::string module;
  bool tracing = true;
};

DebugState& Debug() {
  static DebugState state;
  return state;
}
}  // namespace

extern "C" {

void ScriptDebugInstall(const ScriptDebugHooks* hooks) { Debug().hooks = hooks ? *hooks : ScriptDebugHooks{}; }

void ScriptDebugSetModule(const char* module) { Debug().module = module ? module : ""; }

void ScriptDebugAddBreakpoint(const char* module, int32_t line) {
  Debug().breakpoints.emplace_back(module ? module : "", line);
}

void ScriptDebugClearBreakpoints(void) { Debug().breakpoints.clear(); }

void ScriptDebugSetTracing(int tracing) { Debug().tracing = tracing != 0; }

double zemoscriptZEMODEBUG(double line) {
  auto& d = Debug();
  const int32_t n = RoundToInt32(line);
  if (std::find(d.breakpoints.begin(), d.breakpoints.end(), std::make_pair(d.module, n)) != d.breakpoints.end())
    d.tracing = true;
  if (!d.tracing || !d.hooks.lineTrace) return 1.0;
  int continueRun = 1, flag = 0;
  d.hooks.lineTrace(d.hooks.lineTraceContext, d.module.c_str(), "", &continueRun, &flag, n);
  if (continueRun) return 1.0;
  d.tracing = false;
  return 0.0;
}

void zemoscriptprocZEMOWATCHESOK(const ScriptText* name, double value) {
  auto& h = Debug().hooks;
  if (h.watchNumber) h.watchNumber(h.watchNumberContext, std::string(TextOf(name)).c_str(), value);
}

void zemoscriptprocZEMOWATCHESTRINGOK(const ScriptText* name, const ScriptText* value) {
  auto& h = Debug().hooks;
  if (h.watchText)
    h.watchText(h.watchTextContext, std::string(TextOf(name)).c_str(), std::string(TextOf(value)).c_str());
}

void zemoscriptGeral(const ScriptText* text1, double* result1, double* result2, int32_t value1, const ScriptText* text2,
                     const void* value8, int32_t value2, void* destination) {
  auto& h = Debug().hooks;
  if (!h.general) return;
  int32_t r1 = 0, r2 = 0;
  char reply[kScriptGeneralReplyMax + 1] = {};
  h.general(h.generalContext, std::string(TextOf(text1)).c_str(), value1, std::string(TextOf(text2)).c_str(), value8,
            value2, &r1, &r2, reply);
  reply[kScriptGeneralReplyMax] = 0;
  if (result1) *result1 = r1;
  if (result2) *result2 = r2;
  if (!destination) return;
  if (r2 == kScriptGeneralReplyText) {
    WriteText(static_cast<ScriptText*>(destination), std::string_view(reply, std::strlen(reply)));
  } else if (r2 == kScriptGeneralReplyValue && value8) {
    std::memcpy(destination, value8, 8);
  }
}

}  // extern "C"
