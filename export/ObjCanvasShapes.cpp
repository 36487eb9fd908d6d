// The OBJ canvas's shapes: learned once, played again without their drawing.
#include <cstring>

#include "ObjCanvas.h"

namespace {
// What the learned shapes may hold: a few MB.
constexpr size_t kLearnedShapes = 4096, kLearnedBytes = size_t{4} << 20;
}  // namespace

void ObjCanvas::Unlearn() {
  if (!learning_) return;
  *learning_ = LearnedShape();  // not whole: drawn whenever it comes again
  learning_ = nullptr;
}

void ObjCanvas::Learn(ShapeCall call, const char* line) {
  LearnedShape& shape = *learning_;
  if (line) {
    shape.lines.append(line, std::strchr(line, '\n') + 1);
    call.end = static_cast<uint32_t>(shape.lines.size());
  }
  shape.calls.push_back(call);
  if (learnedBytes_ + shape.calls.size() * sizeof(ShapeCall) + shape.lines.size() > kLearnedBytes) Unlearn();
}

// Played through the canvas's own calls, each line is what drawing the
// shape would write: the calls are the same, and a normal's or texture
// coordinate's line depends only on its numbers.
bool ObjCanvas::BeginShape(std::string_view key) {
  Unlearn();
  std::string& known = shapeKey_;  // kept: no allocation per element
  known.assign(key);
  if (const auto found = shapes_.find(known); found != shapes_.end()) {
    if (!found->second.whole) return false;
    Play(found->second);
    return true;
  }
  if (shapes_.size() >= kLearnedShapes || learnedBytes_ >= kLearnedBytes) return false;
  learning_ = &shapes_[known];
  return false;
}

void ObjCanvas::EndShape() {
  if (!learning_) return;
  learning_->whole = true;
  learnedBytes_ += learning_->calls.size() * sizeof(ShapeCall) + learning_->lines.size();
  learning_ = nullptr;
}

// One learned line (it fits a line's room) copied to the text; returns
// where the next begins.
uint32_t ObjCanvas::CopyLine(const std::string& lines, uint32_t start, uint32_t end) {
  char* at = objText_.Line();
  std::memcpy(at, lines.data() + start, end - start);
  objText_.End(at + (end - start));
  return end;
}

void ObjCanvas::Play(const LearnedShape& shape) {
  uint32_t lineStart = 0;
  for (const ShapeCall& call : shape.calls) {
    switch (call.kind) {
      case ShapeCall::Begin:
        ObjCanvas::BeginPrimitive(call.mode);
        break;
      case ShapeCall::End:
        ObjCanvas::EndPrimitive();
        break;
      case ShapeCall::Normal:
        ++normalCount_;
        normalText_.Increment();
        lineStart = CopyLine(shape.lines, lineStart, call.end);
        break;
      case ShapeCall::TexCoord:
        ++texCoordCount_;
        texCoordText_.Increment();
        lineStart = CopyLine(shape.lines, lineStart, call.end);
        break;
      case ShapeCall::Vertex:
        ObjCanvas::Vertex(call.v[0], call.v[1], call.v[2]);
        break;
    }
  }
}
