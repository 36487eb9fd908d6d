#include "MeshExport.h"

#include <memory>
#include <new>

#include "GlbWriter.h"
#include "MeshCanvas.h"
#include "StlWriter.h"

namespace {
constexpr char kNoMemory[] = "not enough memory";

// The recording feeds `sink` while `drawFrame` runs; why it failed, or empty.
std::string Record(RecordedObjectSink& sink, const std::function<void(Canvas&)>& drawFrame) {
  MeshCanvas canvas(sink);
  try {
    canvas.BeginExport();
    drawFrame(canvas);
    canvas.FinishExport();
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}
}  // namespace

DocumentResult ExportMeshFile(const std::string& path, MeshFormat format,
                              const std::function<void(Canvas&)>& drawFrame) {
  std::string reason;
  try {
    if (format == MeshFormat::Stl) {
      // The file is made before the frame: a target that cannot be written
      // fails before anything is drawn.
      StlWriter writer(path);
      if (!writer.Problem().empty()) return DocumentResult::Error(DocumentResult::Failed, writer.Problem());
      reason = Record(writer, drawFrame);
      if (reason.empty()) writer.Write(reason);
    } else {
      // The first frame measures the file, the second writes it.
      auto writer = std::make_unique<GlbWriter>(path);
      if (!writer->Problem().empty()) return DocumentResult::Error(DocumentResult::Failed, writer->Problem());
      reason = Record(*writer, drawFrame);
      if (reason.empty() && writer->StartWriting(reason)) {
        reason = Record(*writer, drawFrame);
        if (reason.empty()) writer->Finish(reason);
      }
    }
  } catch (const std::bad_alloc&) {
    reason = kNoMemory;
  }
  if (!reason.empty()) return DocumentResult::Error(DocumentResult::Failed, reason);
  return {};
}
