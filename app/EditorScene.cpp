// The window's side of scene drawing: the panel's GL life, the frame, the
// camera presets and the probe of which ground axis follows the pointer.
#include <QLabel>
#include <QLineEdit>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPainter>
#include <cmath>

#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "ViewNavigation.h"
#include "common/NumberText.h"
#include "controls/TMulfig.h"
#include "controls/TZSpinEdit.h"
#include "controls/WaitIndicator.h"
#include "gl/AxisGizmo.h"
#include "gl/GLView.h"
#include "gl/LabelTextures.h"
#include "gl/Picking.h"
#include "gl/Textures.h"
#include "gl/VectorOps.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"

namespace {
constexpr int32_t kBulkElements = 5000;

std::string FormatPoint(const double p[3]) {
  return FormatGeneral(std::trunc(p[0])) + " " + FormatGeneral(std::trunc(p[1])) + " " +
         FormatGeneral(std::trunc(p[2]));
}
}  // namespace

void ShowWaitIndicator() {
  std::string ignored;
  StartWait(nullptr, ignored);
}

namespace {
// QPainter's GL engine leaves its own state behind (a shader program, generic
// attribute arrays, depth test and blending off); the fixed-function frame
// of the next paint needs the view's state back.
void RestoreFixedFunctionState(const GLView& view) {
  QOpenGLFunctions* f = QOpenGLContext::currentContext()->functions();
  f->glUseProgram(0);
  for (GLuint a = 0; a < 3; ++a) f->glDisableVertexAttribArray(a);
  f->glBindBuffer(GL_ARRAY_BUFFER, 0);
  f->glActiveTexture(GL_TEXTURE0);
  // QPainter leaves its own texture bound; lines drawn with it (the grid,
  // the block cursor) would be textured into the background.
  glBindTexture(GL_TEXTURE_2D, 0);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_STENCIL_TEST);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glDepthMask(GL_TRUE);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPolygonMode(GL_FRONT_AND_BACK, view.Solid ? GL_FILL : GL_LINE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}
}  // namespace

void TFEditorDeObjetos1::PaintGizmo(int x0, int y0) {
  {
    // The frame places the gizmo by framebuffer pixels from the lower left
    // corner; the painter works in widget units, in which the gizmo keeps
    // its size and its distance from that corner on a scaled desktop.
    QPainter painter(Tela1);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawAxisGizmo(painter, *view, x0, Tela1->height() - (Tela1->Height() - y0));
  }
  RestoreFixedFunctionState(*view);
}

void TFEditorDeObjetos1::Tela1Initialize() {
  if (!view) return;
  // A new context: the old list and texture names died with the old one.
  scene.edited = true;
  CreateContext(*view, Tela1, Tela1->Width(), Tela1->Height());
  CreateTextures(*view, 8);
  ApplyCamera(*view);
}

void TFEditorDeObjetos1::Tela1Resize() {
  if (!view || !view->Surface) return;
  SetProjection(*view, Tela1->Width(), Tela1->Height());
}

void TFEditorDeObjetos1::Tela1Paint() {
  if (!view || !view->Surface || Tela1->Height() <= 0 || Tela1->Width() <= 0) return;
  scene.palette = Mulfig1->Valor();
  scene.templateElement = doc.templ;
  // Thousands of elements more than the last frame (a document opened, a
  // large paste): the first frame comes cheap, the whole one once input rests.
  if (doc.Count() - scene.drawnCount > kBulkElements) Tela1->MarkMoving();
  // A picture saved as a file (drawn without the aids) is drawn exactly;
  // the view draws cheaper shapes only while it moves.
  scene.detail = !scene.showEditAids ? DrawDetail::Exact : Tela1->Moving() ? DrawDetail::Moving : DrawDetail::Needed;
  if (scene.edited) frameSelection_ = doc.SelectionMask();
  ApplyCamera(*view);
  ::DrawScene(scene);
  if (LabelsPastBudget(*view) != labelsPastBudget_) {
    labelsPastBudget_ = !labelsPastBudget_;
    UpdateStatusLine();
  }
}

void TFEditorDeObjetos1::DrawScene() {
  // A camera change (a frame without an edit) or a drag step draws cheaper
  // shapes until input rests.
  if (!scene.edited || Tela1->ButtonHeld()) Tela1->MarkMoving();
  // The frame is drawn inside the panel's paint: this puts it on screen now.
  if (Tela1->isVisible()) Tela1->repaint();
  UpdateStatusLine();
  Tela1->AnnounceDescription();
}

void TFEditorDeObjetos1::RenderNow() {
  // Qt may defer a repaint until the window's next composition; grabbing the
  // framebuffer runs the panel's paint at once.
  if (Tela1->isValid()) Tela1->grabFramebuffer();
}

void TFEditorDeObjetos1::Redraw() {
  ::DropSceneList(scene);
  DrawScene();
}

void TFEditorDeObjetos1::FocusTela1() {
  if (Tela1->isVisible() && Tela1->isEnabled()) Tela1->setFocus();
}

void TFEditorDeObjetos1::DefaultCamera() {
  DefaultView(*view);
  view->OrthoZoom = 1;  // the whole volume again, as the camera's start
  ProjectionChanged();
  UpdateScreenAxes();
}

void TFEditorDeObjetos1::Mulfig2DepoisSeleciona() {
  if (ApplyViewPreset(*view, Mulfig2->Valor())) {
    view->OrthoZoom = 1;
    ProjectionChanged();
  }
  FocusTela1();
  DrawScene();
  UpdateScreenAxes();
}

void TFEditorDeObjetos1::PickAtPixel(int x, int y, double p[3]) {
  p[0] = p[1] = p[2] = 0;
  if (navigation_) navigation_->PickAtPixel(x, y, p);
}

void TFEditorDeObjetos1::PickGround(int x, int y, double p[3]) {
  p[0] = p[1] = p[2] = 0;
  if (navigation_) navigation_->PickGround(x, y, p);
}

void TFEditorDeObjetos1::UpdateScreenAxes() {
  if (busyPending) ShowWaitIndicator();
  const int w = Tela1->Width() / 2, h = Tela1->Height() / 2;
  double top[3], bottom[3], left[3], right[3];
  PickAtPixel(w, 0, top);
  PickAtPixel(w, Tela1->Height() - 1, bottom);
  PickAtPixel(0, h, left);
  PickAtPixel(Tela1->Width() - 1, h, right);
  TOP1->setText(QString::fromStdString(FormatPoint(top)));
  bottom1->setText(QString::fromStdString(FormatPoint(bottom)));
  left1->setText(QString::fromStdString(FormatPoint(left)));
  right1->setText(QString::fromStdString(FormatPoint(right)));
  const double dxh = right[0] - left[0], dzv = bottom[2] - top[2];
  // The arrows' and the floor pan's axes come from the projection at the
  // point looked at: the picks above land on whatever is drawn at the
  // panel's edges, and their signs said which way is down, not up.
  const FloorAxes floor = FloorAxesOnScreen(AxesOnScreenAt(view->Center));
  screenAxisH = floor.h, screenAxisV = floor.v;
  screenSignH = floor.signH, screenSignV = floor.signV;
  TOP1->setText(TOP1->text() + QString::fromStdString(": dx:" + FormatGeneral(std::trunc(dxh)) +
                                                      " dy:" + FormatGeneral(std::trunc(dzv))));
  TOP1->repaint();
  bottom1->repaint();
  if (busyPending) {
    busyPending = false;
    StopWait();
  }
}

AxesOnScreen TFEditorDeObjetos1::AxesOnScreenAt(const double point[3]) {
  AxesOnScreen axes;
  double forward[3] = {view->Center[0] - view->Eye[0], view->Center[1] - view->Eye[1], view->Center[2] - view->Eye[2]};
  Normalize(forward);
  double from[2] = {0, 0};
  const bool seen = ProjectToPixel(*view, point, from[0], from[1]);
  for (int a = 0; a < 3; ++a) {
    axes.sight[a] = forward[a];
    double to[3] = {point[0], point[1], point[2]}, px = 0, py = 0;
    to[a] += 1;
    const bool ahead = seen && ProjectToPixel(*view, to, px, py);
    axes.pixels[a][0] = ahead ? px - from[0] : 0;
    axes.pixels[a][1] = ahead ? py - from[1] : 0;
  }
  return axes;
}

void TFEditorDeObjetos1::ProjectionChanged() {
  if (navigation_) navigation_->ProjectionChanged();
}

void TFEditorDeObjetos1::OrbitView(double degrees) {
  if (navigation_) navigation_->Orbit(degrees);
}

void TFEditorDeObjetos1::Button1Click() {
  Edit1->setText(QString::fromStdString(FormatGeneral(view->Eye[0])));
  Edit2->setText(QString::fromStdString(FormatGeneral(view->Eye[1])));
  Edit3->setText(QString::fromStdString(FormatGeneral(view->Eye[2])));
}
