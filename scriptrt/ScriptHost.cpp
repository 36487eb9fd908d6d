#include "scriptrt/HostAccess.h"

namespace {
ScriptHost& Installed() {
  static ScriptHost host{};
  return host;
}
}  // namespace

const ScriptHost& Host() { return Installed(); }

extern "C" void ScriptHostInstall(const ScriptHost* host) { Installed() = host ? *host : ScriptHost{}; }
