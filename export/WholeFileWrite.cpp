#include "WholeFileWrite.h"

#include "common/SafeFiles.h"

bool WriteWholeFile(const std::string& path, const std::vector<std::string_view>& pieces, std::string& reason) {
  if (std::string problem = WriteTargetProblem(path); !problem.empty()) {
    reason = problem;
    return false;
  }
  ReplacementFile file(path);
  for (const std::string_view piece : pieces)
    if (!file.Write(piece.data(), piece.size())) break;
  if (file.ok() && file.Finish() && file.Commit()) return true;
  reason = file.Error();
  return false;
}
