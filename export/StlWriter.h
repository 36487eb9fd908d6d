#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "RecordedObject.h"
#include "common/BlockWriter.h"
#include "common/Outcome.h"
#include "common/SafeFiles.h"

// Writes the recorded elements' triangles as one binary STL file while they
// are drawn, in world coordinates, each with its face normal, turned
// outwards as the drawing's normals say. The triangles are formatted
// straight into blocks that a writer thread puts on disk while the next
// fills; the count goes into the header at the end, and only then is
// the file renamed over `path`.
class StlWriter final : public RecordedObjectSink {
 public:
  explicit StlWriter(const std::string& path);
  ~StlWriter() override;
  // Failed, naming the file, when the temporary file could not be made.
  Outcome Ready() const { return file_.ok() ? Outcome() : Outcome::Error(Outcome::Failed, file_.Error()); }

  void Restart() override;
  void Take(const RecordedObject& object) override;
  // Completes the file and puts it in place.
  Outcome Write();

 private:
  void Submit();

  ReplacementFile file_;
  std::unique_ptr<BlockWriter> writer_;
  char* block_ = nullptr;  // being filled
  size_t used_ = 0;
  uint64_t count_ = 0;
  bool started_ = false;
};
