#pragma once
#include <string>
#include <vector>

// One sub-command of the batch tool. `run` gets the arguments after the
// command name and returns the exit status (0 success, 2 failure with a
// one-line message on stderr).
struct CliCommand {
  const char* name;
  const char* usage;
  const char* summary;
  int (*run)(const std::vector<std::string>& args);
};

// Prints "objetos3d-cli: <file>: <reason>" on stderr, control bytes
// escaped, and returns 2.
int CliFail(const std::string& file, const std::string& reason);
// The same line for a note that is no failure.
inline void CliNote(const std::string& file, const std::string& note) { CliFail(file, note); }
