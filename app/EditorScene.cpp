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
#include "common/NumberText.h"
#include "controls/TMulfig.h"
#include "controls/TZSpinEdit.h"
#include "controls/WaitIndicator.h"
#include "gl/AxisGizmo.h"
#include "gl/GLView.h"
#include "gl/LabelTextures.h"
#include "gl/Picking.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"

namespace {
std::string FormatPoint(const double p[3]) {
  return FormatGeneral(std::trunc(p[0])) + " " + FormatGeneral(std::trunc(p[1])) + " " + FormatGeneral(std::trunc(p[2]));
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
  if (scene.edited) frameSelection_ = doc.SelectionMask();
  ApplyCamera(*view);
  ::DrawScene(scene);
  if (LabelsPastBudget(*view) != labelsPastBudget_) {
    labelsPastBudget_ = !labelsPastBudget_;
    UpdateStatusLine();
  }
}

void TFEditorDeObjetos1::DrawScene() {
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
  UpdateScreenAxes();
}

void TFEditorDeObjetos1::Mulfig2DepoisSeleciona() {
  ApplyViewPreset(*view, Mulfig2->Valor());
  FocusTela1();
  DrawScene();
  UpdateScreenAxes();
}

void TFEditorDeObjetos1::PickAtPixel(int x, int y, double p[3]) {
  p[0] = p[1] = p[2] = 0;
  if (!view) return;
  Tela1->WithContext([&] { UnprojectAtPixel(*view, x, y, p[0], p[1], p[2]); });
}

void TFEditorDeObjetos1::PickGround(int x, int y, double p[3]) {
  p[0] = p[1] = p[2] = 0;
  if (!view) return;
  Tela1->WithContext([&] { UnprojectToGround(*view, x, y, p[0], p[1], p[2]); });
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
  const double dxh = right[0] - left[0], dxv = bottom[0] - top[0];
  const double dzh = right[2] - left[2], dzv = bottom[2] - top[2];
  if (std::fabs(dxh) > std::fabs(dxv)) {
    screenAxisH = 0, screenAxisV = 2;
    screenSignH = dxh > 0 ? 1 : -1;
    screenSignV = dzv > 0 ? 1 : -1;
  } else if (std::fabs(dzh) > std::fabs(dzv)) {
    screenAxisH = 2, screenAxisV = 0;
    screenSignH = dzh > 0 ? 1 : -1;
    screenSignV = dxv > 0 ? 1 : -1;
  } else {
    screenAxisH = 0, screenAxisV = 2;
    screenSignH = screenSignV = 1;
  }
  TOP1->setText(TOP1->text() + QString::fromStdString(": dx:" + FormatGeneral(std::trunc(dxh)) +
                                                      " dy:" + FormatGeneral(std::trunc(dzv))));
  TOP1->repaint();
  bottom1->repaint();
  if (busyPending) {
    busyPending = false;
    StopWait();
  }
}

void TFEditorDeObjetos1::Button1Click() {
  Edit1->setText(QString::fromStdString(FormatGeneral(view->Eye[0])));
  Edit2->setText(QString::fromStdString(FormatGeneral(view->Eye[1])));
  Edit3->setText(QString::fromStdString(FormatGeneral(view->Eye[2])));
}
