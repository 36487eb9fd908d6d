// Comforts of input: redo, Enter in the property boxes, zooming with the
// wheel and the status line under the view.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <cmath>

#include "DocumentFiles.h"
#include "LatinText.h"
#include "TBarraDeEstado.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "ViewNavigation.h"
#include "common/Dictionary.h"
#include "controls/ControlHint.h"
#include "controls/TMulfig.h"
#include "controls/TZSpinEdit.h"
#include "document/SelectionMeasure.h"
#include "gl/CameraMoves.h"
#include "gl/GLView.h"
#include "gl/Picking.h"

namespace {
constexpr double kFloorBand = 0.1;  // how near y = 0 a ground pick must come
}  // namespace

void TFEditorDeObjetos1::BuildInputAids() {
  for (TZSpinEdit* box : {EAxy, EAyz, EAxz, EChanfro1, ESuperior1}) {
    auto previous = box->OnKeyDown;
    box->OnKeyDown = [this, box, previous](QObject* sender, int& key, Qt::KeyboardModifiers shift) {
      if (previous) previous(sender, key, shift);
      PropertyBoxKeyDown(box, key);
    };
  }

  Tela1->OnMouseWheel = [this](QObject*, int delta, Qt::KeyboardModifiers shift, int x, int y) {
    Tela1MouseWheel(delta, shift, x, y);
  };
  Tela1->OnMouseLeave = [this](QObject*) { Tela1MouseLeave(); };

  BarraDeEstado1 = new TBarraDeEstado(this);
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(BarraDeEstado1, 1);
  UpdateStatusLine();
}

void TFEditorDeObjetos1::PropertyBoxKeyDown(TZSpinEdit* box, int& key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  key = 0;
  // The value typed so far is the box's value; these handlers write it into
  // the selection and give the view the focus back.
  if (box == EChanfro1)
    EChanfro1ChangeUser();
  else if (box == ESuperior1)
    ESuperior1ChangeUser();
  else
    EAyzChangeUser();
}

void TFEditorDeObjetos1::Tela1MouseWheel(int delta, Qt::KeyboardModifiers shift, int x, int y) {
  if (!navigation_) return;
  const int notches = navigation_->WheelNotches(delta);
  if (notches == 0) return;
  // A notch takes the camera a fixed share of the way to what is under the
  // pointer, so a far model comes near as fast as a near one; with Ctrl a
  // fifth of a notch. Turning away from the user comes closer.
  const double notch = shift.testFlag(Qt::ControlModifier) ? notches / 5.0 : notches;

  // Toward what is under the pointer when that is an element or the floor,
  // otherwise toward the point of the pointer's ray as deep as the centre.
  double target[3];
  PickAtPixel(x, y, target);
  if (doc.FindElementAt(target[0], target[1], target[2]) < 0) {
    TrackPointer(x, y);
    if (pointerOnFloor) {
      for (int i = 0; i < 3; ++i) target[i] = pointerFloor[i];
    } else if (!PointAtCentreDepth(x, y, target)) {
      for (int i = 0; i < 3; ++i) target[i] = view->Center[i];
    }
  }
  if (navigation_->ZoomToward(target, notch)) DrawScene();  // camera only: the compiled scene is replayed
}

double TFEditorDeObjetos1::ZoomFactor(double notches) { return ViewNavigation::ZoomFactor(notches); }

bool TFEditorDeObjetos1::PointAtCentreDepth(int x, int y, double point[3]) {
  return navigation_ && navigation_->PointAtCentreDepth(x, y, point);
}

void TFEditorDeObjetos1::TrackPointer(int x, int y) {
  double p[3];
  PickGround(x, y, p);
  const double n = std::fabs(view ? view->OrthoMax[1] : 0);
  pointerOnFloor = view && std::fabs(p[1]) < kFloorBand && std::fabs(p[0]) <= n && std::fabs(p[2]) <= n;
  for (int i = 0; i < 3; ++i) pointerFloor[i] = p[i];
}

void TFEditorDeObjetos1::Tela1MouseLeave() {
  pointerOnFloor = false;
  UpdateStatusLine();
}

void TFEditorDeObjetos1::UpdateStatusLine() {
  if (!BarraDeEstado1) return;
  EstadoDaEdicao estado;
  estado.modo = MMovimento1->Valor();
  estado.eixo = MEixo1->Valor();
  estado.passo = doc.editStep[1];
  estado.selecionados = doc.SelectionCount();
  estado.noPiso = pointerOnFloor;
  estado.bloco = BlockMode();
  estado.encaixe = snapping_;
  estado.pivoComum = assembly_.commonPivot;
  estado.perspectiva = !view || view->Perspective;
  const SelectionMeasure m = MeasureSelection(doc);
  estado.medidas = m.any;
  estado.vao = m.pair;
  for (int a = 0; a < 3; ++a) {
    estado.tamanho[a] = m.size[a] * kCentimetresPerUnit;
    estado.centro[a] = m.centre[a] * kCentimetresPerUnit;
    estado.distancia[a] = m.gap[a] * kCentimetresPerUnit;
  }
  if (files_ && !files_->RecoveryProblem().empty())
    estado.aviso = Choose("C\xF3pia de recupera\xE7\xE3o n\xE3o gravada: ", "Recovery copy not written: ") +
                   files_->RecoveryProblem();
  if (labelsPastBudget_)
    estado.aviso +=
        (estado.aviso.empty() ? "" : "     ") + Choose("Etiquetas demais: algumas aparecem sem imagem",
                                                       "Too many labels: some are drawn without their pictures");
  estado.x = pointerFloor[0];
  estado.z = pointerFloor[2];
  BarraDeEstado1->Mostra(estado);
}
