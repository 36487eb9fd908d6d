// Comforts of input: redo, Enter in the property boxes, zooming with the
// wheel and the status line under the view.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

#include <cmath>

#include "LatinText.h"
#include "TBarraDeEstado.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "common/Dictionary.h"
#include "controls/ControlHint.h"
#include "controls/TMulfig.h"
#include "controls/TZSpinEdit.h"
#include "gl/GLView.h"

namespace {
constexpr int kWheelNotch = 120;  // eighths of a degree in one notch
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
  if (!view) return;
  wheelRemainder += delta;
  const int notches = wheelRemainder / kWheelNotch;
  wheelRemainder -= notches * kWheelNotch;
  if (notches == 0) return;
  // One notch is one step of the keypad's + and -; with Ctrl a fifth of it.
  double step = doc.editStep[1] * std::abs(notches);
  if (shift.testFlag(Qt::ControlModifier)) step /= 5;
  const double sign = notches > 0 ? 1 : -1;  // turning away from the user comes closer

  // Toward what is under the pointer when that is an element or the floor,
  // otherwise along the line of sight. Moving the eye and the centre
  // together keeps the direction of view and the distance between them.
  double target[3];
  bool aimed = false;
  PickAtPixel(x, y, target);
  if (doc.FindElementAt(target[0], target[1], target[2]) >= 0) {
    aimed = true;
  } else {
    TrackPointer(x, y);
    if (pointerOnFloor) {
      for (int i = 0; i < 3; ++i) target[i] = pointerFloor[i];
      aimed = true;
    }
  }
  double d[3], length = 0;
  for (int i = 0; i < 3; ++i) {
    d[i] = (aimed ? target[i] : view->Center[i]) - view->Eye[i];
    length += d[i] * d[i];
  }
  length = std::sqrt(length);
  if (length == 0) return;
  for (int i = 0; i < 3; ++i) {
    const double u = sign * step * d[i] / length;
    view->Eye[i] += u;
    view->Center[i] += u;
  }
  DrawScene();  // camera only: the compiled scene is replayed
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
  if (!recoveryProblem_.empty())
    estado.aviso = Choose("C\xF3pia de recupera\xE7\xE3o n\xE3o gravada: ", "Recovery copy not written: ") +
                   recoveryProblem_;
  if (labelsPastBudget_)
    estado.aviso += (estado.aviso.empty() ? "" : "     ") +
                    Choose("Etiquetas demais: algumas aparecem sem imagem", "Too many labels: some are drawn without their pictures");
  estado.x = pointerFloor[0];
  estado.z = pointerFloor[2];
  BarraDeEstado1->Mostra(estado);
}
