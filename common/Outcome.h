#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What reading or writing a file came to, in one shape for every reader,
// writer and export: ok or not, and why not, naming the file.
struct Outcome {
  // Partial: a document ended early; the store holds the whole records
  // present (recordsRead of recordsDeclared).
  enum Status { Ok, Missing, Refused, Failed, Partial };
  Status status = Ok;
  std::string reason;  // empty when Ok
  // Reading a document: how many records the header declared and how many
  // were loaded.
  int32_t recordsRead = 0, recordsDeclared = 0;
  // Writing: files beside the target that could not be written (the texture
  // copies of an export), each with why.
  struct FileFailure {
    std::string file, reason;
  };
  std::vector<FileFailure> failedFiles;

  bool ok() const { return status == Ok; }
  static Outcome Error(Status s, std::string why) {
    Outcome r;
    r.status = s;
    r.reason = std::move(why);
    return r;
  }
};
