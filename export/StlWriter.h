#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "RecordedObject.h"
#include "common/SafeFiles.h"

// Writes the recorded elements' triangles as one binary STL file while they
// are drawn, in world coordinates, each with its face normal, turned
// outwards as the drawing's normals say. The triangles go to a temporary
// file beside `path` as they come; the count goes into the header at the
// end, and only then is the file renamed over `path`.
class StlWriter final : public RecordedObjectSink {
 public:
  explicit StlWriter(const std::string& path);
  // Why the temporary file could not be made, or empty.
  const std::string& Problem() const { return file_.Error(); }

  void Restart() override;
  void Take(const RecordedObject& object) override;
  // Completes the file and puts it in place.
  bool Write(std::string& reason);

 private:
  void Flush();

  ReplacementFile file_;
  std::vector<char> buffer_;  // triangles not yet written
  uint64_t count_ = 0;
  bool started_ = false;
};
