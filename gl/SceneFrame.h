#pragma once
#include <cstdint>
#include <functional>

#include "ShapeDetail.h"
#include "document/Element3D.h"

class Canvas;
class TIMem32;
struct GLView;

// What one frame of the scene is drawn from: the editor's window state in a
// plain struct, so that the editor's panel and the batch tool build the
// same frame.
struct SceneState {
  GLView* view = nullptr;
  TIMem32* elements = nullptr;  // Element3D records
  // Whether element i is selected (none when unset).
  std::function<bool(int32_t)> isSelected;
  int32_t palette = 0;          // 0 = Cursor, 1..3 = a kind is being added
  Element3D templateElement{};  // the element a click would add
  bool showEditAids = true;     // grid, axes, boxes, block cursor, gizmo
  // Elements wholly outside the view and the back faces of closed solids
  // are skipped (the picture is the same; unset only to compare).
  bool skipOutsideView = true;
  // How much of each shape the frame draws: the editor and the thumbnail
  // what their pixels show, cheaper still while the camera moves or a drag
  // runs; pictures saved as files draw every shape exactly.
  DrawDetail detail = DrawDetail::Exact;
  bool blockCursorInside = false;
  double blockCursor[3] = {0, 0, 0};
  double blockSize[3] = {2, 2, 2};
  // The block cursor as the last edit (DropSceneList) found it: frames show
  // that one until the next edit, whatever the fields above say meanwhile.
  struct {
    bool inside = false;
    double at[3] = {0, 0, 0};
    double size[3] = {2, 2, 2};
  } shownBlockCursor;
  // While a grab holds a snap: the box of what it snapped to, outlined.
  bool snapShown = false;
  double snapLo[3] = {0, 0, 0}, snapHi[3] = {0, 0, 0};
  // Set by every edit (Redraw) and cleared by the next frame: the editor
  // takes the selection it shows anew for an edited scene.
  bool edited = true;
  // The elements the last frame was drawn from (a frame far above it, as
  // after opening a large document, may be drawn cheaply first).
  int32_t drawnCount = 0;
  // Paints the axis gizmo at (x0, y0) over the presented frame; the editor
  // sets it (a QPainter on its panel), the batch tool leaves it unset.
  std::function<void(int x0, int y0)> paintOverlay;
  // How "draw now" reaches the surface: the editor repaints its panel (whose
  // paint call runs DrawScene); unset means DrawScene is called directly.
  std::function<void()> requestFrame;
};

// Draws one frame under the current model-view matrix (the camera): background, grid, elements and
// editing aids. With `alsoInto` (an export's canvas) the elements are drawn
// into it as well, whole, as the frame meets them.
void DrawScene(SceneState& scene, Canvas* alsoInto = nullptr);
// Marks the scene as edited and takes the block cursor to show.
void DropSceneList(SceneState& scene);
// What every edit ends with: mark the scene edited and draw again.
void Redraw(SceneState& scene);

// The floor grid with its direction marks, the vertical axis and the three
// unit axes, reaching |OrthoMax.y| on the ground.
void DrawGrid(const GLView& view);
// The wire box around an element, its turns applied.
void DrawSelectionBox(const Element3D& element);
// The block cursor the last edit found, when the pointer was inside the panel.
void DrawBlockCursor(const SceneState& scene);
// The outline of the box a grab snapped to, while it holds.
void DrawSnapTarget(const SceneState& scene);
// Four closed loops around a box of sizes s turned by the angles (about X,
// Y, Z, degrees) at `center`.
void DrawWireBox(double ax, double ay, double az, const double s[3], const double center[3]);
