#include "MeshExport.h"

#include <memory>
#include <new>

#include "GlbWriter.h"
#include "MeshCanvas.h"
#include "StlWriter.h"

namespace {
constexpr char kNoMemory[] = "not enough memory";

// The recording feeds `sink` while `drawFrame` runs.
Outcome Record(RecordedObjectSink& sink, const std::function<void(Canvas&)>& drawFrame,
               MeshCanvas::Pass pass = MeshCanvas::Pass::Record) {
  MeshCanvas canvas(sink);
  try {
    canvas.BeginExport(pass);
    drawFrame(canvas);
    canvas.FinishExport();
  } catch (const std::bad_alloc&) {
    return Outcome::Error(Outcome::Failed, kNoMemory);
  } catch (const std::exception& e) {
    return Outcome::Error(Outcome::Failed, e.what());
  }
  return {};
}
}  // namespace

Outcome ExportMeshFile(const std::string& path, MeshFormat format, const std::function<void(Canvas&)>& drawFrame) {
  try {
    if (format == MeshFormat::Stl) {
      // The file is made before the frame: a target that cannot be written
      // fails before anything is drawn.
      StlWriter writer(path);
      Outcome result = writer.Ready();
      if (result.ok()) result = Record(writer, drawFrame);
      return result.ok() ? writer.Write() : result;
    }
    // The first frame measures the file, the second writes it.
    auto writer = std::make_unique<GlbWriter>(path);
    Outcome result = writer->Ready();
    if (result.ok()) result = Record(*writer, drawFrame, MeshCanvas::Pass::Measure);
    if (result.ok()) result = writer->StartWriting();
    if (result.ok()) result = Record(*writer, drawFrame);
    return result.ok() ? writer->Finish() : result;
  } catch (const std::bad_alloc&) {
    return Outcome::Error(Outcome::Failed, kNoMemory);
  }
}
