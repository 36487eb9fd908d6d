// The undo history at its deepest: 1,000 steps that each change one element
// of a 10,000-element document, against the document's own record bytes in
// the same run. Steps share the runs of records they did not change, so the
// history should stay a small multiple of one document, not a thousand.
// usage: bench_undo_depth [elements] [steps]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "../ProcessMemory.h"
#include "document/EditorDocument.h"

namespace {
using Clock = std::chrono::steady_clock;

double Mb(double bytes) { return bytes / (1024.0 * 1024.0); }
}  // namespace

int main(int argc, char** argv) {
  const int32_t elements = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int32_t steps = argc > 2 ? std::atoi(argv[2]) : EditorDocument::kMaxUndoDepth;
  EditorDocument doc;
  doc.SetUndoDepth(EditorDocument::kMaxUndoDepth);
  doc.elements.Reserve(elements);
  for (int32_t i = 0; i < elements; ++i) {
    doc.templ.x = i % 100;
    doc.templ.z = i / 100;
    doc.AppendFromTemplate();
  }
  const double documentBytes = double(doc.Count()) * kElementRecordSize;
  const double rssBefore = StatusBytes("VmRSS");

  // Each step moves one element, spread over the document as a user's
  // edits are, so that the steps do not all touch the same run.
  const auto t0 = Clock::now();
  for (int32_t k = 0; k < steps; ++k) {
    doc.PushUndo(StepName::Move);
    doc.Element((k * 7919) % doc.Count()).y += 0.5;
  }
  const double pushSeconds = std::chrono::duration<double>(Clock::now() - t0).count();
  const double undoBytes = doc.UndoBytes();
  const double rssAfter = StatusBytes("VmRSS");

  const auto t1 = Clock::now();
  int32_t undone = 0;
  while (doc.Undo()) ++undone;
  const double undoSeconds = std::chrono::duration<double>(Clock::now() - t1).count();

  std::printf("document: %d elements, %.2f MB of records (baseline)\n", doc.Count(), Mb(documentBytes));
  std::printf("undo history: %d steps of one element each, depth %d\n", steps, doc.UndoDepth());
  std::printf("  held by the steps:    %8.2f MB = %6.2f x the document (a plain copy per step: %.0f x)\n",
              Mb(undoBytes), undoBytes / documentBytes, double(steps));
  std::printf("  resident growth:      %8.2f MB\n", Mb(rssAfter - rssBefore));
  std::printf("  per step taken:       %8.3f ms\n", 1000 * pushSeconds / steps);
  std::printf("  per step undone:      %8.3f ms (%d undone)\n", undone ? 1000 * undoSeconds / undone : 0.0, undone);
  return undone == steps ? 0 : 1;
}
