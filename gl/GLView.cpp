#include "GLView.h"

#include <memory>

#include "ViewContext.h"

uint32_t BackgroundColor = 0;

namespace {
// Views are handed out as pointers for the life of the process, so each
// lives in its own allocation.
std::vector<std::unique_ptr<GLView>>& ViewList() {
  static std::vector<std::unique_ptr<GLView>> views;
  return views;
}
}  // namespace

GLView* NewView() {
  ViewList().push_back(std::make_unique<GLView>());
  return ViewList().back().get();
}

void FreeViews() {
  for (auto& view : ViewList()) DestroyContext(*view);
  ViewList().clear();
}

int ViewCount() { return static_cast<int>(ViewList().size()); }
