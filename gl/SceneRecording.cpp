#include "SceneRecording.h"

#include <exception>
#include <new>

#include "DrawWrappers.h"
#include "ElementDrawing.h"
#include "GLView.h"
#include "SceneFrame.h"

void RecordScene(SceneState& scene, Canvas& canvas) {
  const DrawInto into(canvas);
  // Grid, boxes and cursor are drawn by OpenGL alone and reach no export.
  GLView view = scene.view ? *scene.view : GLView{};
  try {
    if (scene.elements) DrawElements(view, *scene.elements, canvas);
    if (scene.showEditAids && scene.palette > 0) DrawElement(view, scene.templateElement, canvas);
  } catch (const std::bad_alloc&) {
    throw;  // a file without what did not fit would pass for complete
  } catch (const std::exception&) {
    // As in a drawn frame: a fault while building ends it with what was built.
  }
}
