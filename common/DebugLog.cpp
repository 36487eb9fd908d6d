#include "DebugLog.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "FileAppend.h"
#include "IniFile.h"
#include "LocalTime.h"
#include "ProgramFolder.h"

namespace {
struct DebugLogState {
  std::optional<bool> enabled;
  std::string path;
};

DebugLogState& State() {
  static DebugLogState state;
  return state;
}
}  // namespace

bool DebugLogEnabled() {
  auto& s = State();
  if (!s.enabled) s.enabled = ReadIniText(ProgramFolder() + "log.ini", "LOG", "ALLOW") == "1";
  return *s.enabled;
}

void ResetDebugLog() { State() = DebugLogState{}; }

void AppendLogLine(std::string& pathCache, const std::string& prefix, const std::string& line) {
  if (pathCache.empty()) {
    pathCache = ProgramFolder() + "log/" + prefix + DateStampDDMMYYYY() + ".TXT";
    std::error_code ignored;
    std::filesystem::create_directory(ProgramFolder() + "log", ignored);
  }
  AppendToFile(pathCache, line);
}

void DebugLog(const std::string& text) {
  if (!DebugLogEnabled()) return;
  AppendLogLine(State().path, "DEBUGLOG", TimeStampHHNNSS() + ": " + text + "\r\n");
}
