#pragma once
#include <string>

// Optional trace for field diagnosis, switched on by ALLOW=1 in the [LOG]
// section of log.ini beside the executable. Lines go to
// log/DEBUGLOG<ddmmyyyy>.TXT, named by the day of the run's first line.
void DebugLog(const std::string& text);

bool DebugLogEnabled();
// Re-reads log.ini and forgets the current log file (for tests).
void ResetDebugLog();

// Appends a line to a date-stamped file "log/<prefix><ddmmyyyy>.TXT" under the
// program folder; the name is fixed by `pathCache` on the first write of a run.
void AppendLogLine(std::string& pathCache, const std::string& prefix, const std::string& line);
