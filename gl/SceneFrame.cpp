#include "SceneFrame.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>

#include "DrawSurface.h"
#include "ElementDrawing.h"
#include "GLCanvas.h"
#include "GLView.h"
#include "LabelTextures.h"
#include "ShapeLists.h"
#include "ViewContext.h"
#include "common/TIMem32.h"

namespace {
void GizmoIfShown(SceneState& scene) {
  if (!scene.showEditAids || !scene.paintOverlay || !scene.view->Surface) return;
  scene.paintOverlay(27, scene.view->Surface->Height() - 27);
}

void Line(double x1, double y1, double z1, double x2, double y2, double z2) {
  glVertex3d(x1, y1, z1);
  glVertex3d(x2, y2, z2);
}

void BuildFrame(SceneState& scene, Canvas& canvas) {
  GLView& view = *scene.view;
  glClearColor(0.57f, 0.57f, 0.57f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // Whatever the toolkit or the last frame left bound, the grid's lines are
  // not textured.
  glBindTexture(GL_TEXTURE_2D, 0);
  glColor4f(0.0f, 0.5f, 0.0f, 1.0f);
  if (scene.showEditAids) {
    if (canvas.KeepsEveryVertex())
      DrawGrid(view);
    else
      CallGridList(view);
  }
  ElementPass pass(view, canvas, scene.skipOutsideView, scene.detail);
  if (scene.elements)
    for (int32_t i = 0; i < scene.elements->Count(); ++i) pass.Draw(scene.elements->As<Element3D>(i));
  pass.LeaveLastNormal();
  if (!scene.showEditAids) return;
  DrawBlockCursor(scene);
  DrawSnapTarget(scene);
  if (scene.palette == 0 && scene.isSelected && scene.elements)
    for (int32_t i = 0; i < scene.elements->Count(); ++i)
      if (scene.isSelected(i)) DrawSelectionBox(scene.elements->As<Element3D>(i));
  if (scene.palette > 0) {
    pass.Draw(scene.templateElement);
    pass.LeaveLastNormal();
    DrawSelectionBox(scene.templateElement);
  }
}
}  // namespace

void DrawGrid(const GLView& view) {
  // The reach is view state; it is still bounded before it becomes a count.
  const double reach = std::fabs(view.OrthoMax[1]);
  const int n = std::isfinite(reach) ? static_cast<int>(std::nearbyint(std::min(reach, 10000.0))) : 0;
  glTranslated(0, 0, 0);
  glBegin(GL_LINES);
  glNormal3d(0, 1, 0);
  // Lines along Z, with arrow heads pointing to +Z.
  glColor4f(0.6f, 0.6f, 0.7f, 1.0f);
  for (int i = -n; i <= n; ++i) {
    if (i % 2 == 0) continue;
    Line(i, 0, -n, i, 0, n);
    for (int j = -n; j <= n; ++j) {
      Line(i - 0.1, 0, j - 0.6, i, 0, j - 0.5);
      Line(i, 0, j - 0.5, i + 0.1, 0, j - 0.6);
    }
  }
  // Lines along X, with arrow heads pointing to -X.
  glColor4f(0.7f, 0.6f, 0.6f, 1.0f);
  for (int k = -n; k <= n; ++k) {
    if (k % 2 == 0) continue;
    Line(-n, 0, k, n, 0, k);
    for (int j = -n; j <= n; ++j) {
      Line(j - 0.4, 0, k - 0.1, j - 0.5, 0, k);
      Line(j - 0.5, 0, k, j - 0.4, 0, k + 0.1);
    }
  }
  // The vertical axis; its top is fixed at 16 whatever the grid's size.
  glColor4f(0.6f, 0.7f, 0.6f, 1.0f);
  Line(0, -n, 0, 0, 16, 0);
  for (int m = -n; m <= 16; ++m) {
    if (m % 2 == 0) continue;
    Line(-0.1, m - 0.6, 0, 0, m - 0.5, 0);
    Line(0, m - 0.5, 0, 0.1, m - 0.6, 0);
  }
  for (int m = -n; m <= 16; ++m) {
    if (m % 2 == 0) continue;
    Line(0, m - 0.6, -0.1, 0, m - 0.5, 0);
    Line(0, m - 0.5, 0, 0, m - 0.6, 0.1);
  }
  glEnd();
  const struct {
    float r, g, b;
    double x, y, z;
  } axes[] = {{1, 0, 0, -1, 0, 0}, {0, 1, 0, 0, 1, 0}, {0, 0, 1, 0, 0, 1}};
  for (const auto& a : axes) {
    glColor4f(a.r, a.g, a.b, 1.0f);
    glBegin(GL_LINES);
    Line(0, 0, 0, a.x, a.y, a.z);
    glEnd();
  }
}

void DrawScene(SceneState& scene, Canvas* alsoInto) {
  if (!scene.view || !scene.view->Surface) return;
  GLView& view = *scene.view;
  std::optional<GLAndCanvas> both;
  if (alsoInto) both.emplace(*alsoInto);
  Canvas& canvas = both ? static_cast<Canvas&>(*both) : ViewCanvas();
  const DrawInto into(canvas);
  // Every frame is drawn from the document: shapes and pictures are made
  // once and then only called and bound, so an edit costs no more than a
  // camera move.
  BeginShapeFrame(view);
  PrepareLabelTextures(view, scene.elements,
                       scene.showEditAids && scene.palette > 0 ? &scene.templateElement : nullptr);
  try {
    BuildFrame(scene, canvas);
  } catch (const std::exception&) {
    // A fault while building ends the frame with what was built.
  }
  ReleaseUnusedShapes(view);
  scene.edited = false;
  scene.drawnCount = scene.elements ? scene.elements->Count() : 0;
  Present(view);
  CaptureFrameMatrices(view);
  GizmoIfShown(scene);
}

void DropSceneList(SceneState& scene) {
  scene.edited = true;
  scene.shownBlockCursor.inside = scene.blockCursorInside;
  for (int i = 0; i < 3; ++i) {
    scene.shownBlockCursor.at[i] = scene.blockCursor[i];
    scene.shownBlockCursor.size[i] = scene.blockSize[i];
  }
}

void Redraw(SceneState& scene) {
  DropSceneList(scene);
  if (scene.requestFrame)
    scene.requestFrame();
  else
    DrawScene(scene);
}
