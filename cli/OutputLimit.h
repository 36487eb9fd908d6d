#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A crafted document can make an output thousands of times its own size (a
// record size of 1 turns every byte into an element). The batch tool, which
// runs unattended, therefore writes no file larger than a budget that grows
// with the document's size, unless `--no-limit` asks it to. The budget is
// the process's file size limit, so every writer stops at it the same way:
// the write fails (EFBIG, with SIGXFSZ ignored) and the output is left as
// it was.
class OutputLimit {
 public:
  // What is written: a document, or anything else (a picture, an export).
  enum class Kind { Document, Export };
  // Removes "--no-limit" from `args`; true when it was there.
  static bool TakeNoLimitOption(std::vector<std::string>& args);

  // The budget for an output of `kind` made from `inputBytes` bytes.
  static uint64_t Budget(Kind kind, uint64_t inputBytes);

  // Lowers the file size limit to the budget for the document `input`
  // (never raises it). Does nothing when `off`.
  OutputLimit(Kind kind, const std::string& input, bool off);

  // `reason` of a failed write, told as the limit when the limit stopped it.
  std::string Explain(const std::string& reason) const;

 private:
  uint64_t budget_ = 0, inputBytes_ = 0;
  bool applied_ = false;
};
