#include "SceneRecording.h"

#include <exception>
#include <new>

#include "DrawWrappers.h"
#include "ElementDrawing.h"
#include "GLView.h"
#include "SceneFrame.h"
#include "export/ObjExport.h"

void RecordScene(SceneState& scene) {
  if (!ExportActive()) return;
  const RecordOnlyDrawing noGL;
  BeginExport();
  // Only what the frame draws through the wrappers reaches the files: the
  // elements and, while a kind is being added, the element a click would add.
  // Grid, boxes and cursor are drawn by OpenGL alone and record nothing.
  GLView view = scene.view ? *scene.view : GLView{};
  try {
    if (scene.elements) DrawElements(view, *scene.elements);
    if (scene.showEditAids && scene.palette > 0) DrawElement(view, scene.templateElement);
  } catch (const std::bad_alloc&) {
    throw;  // a file without what did not fit would pass for complete
  } catch (const std::exception&) {
    // As in a drawn frame: a fault while building ends it with what was built.
  }
  FinishExport();
}
