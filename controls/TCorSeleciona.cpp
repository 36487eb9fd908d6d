#include "TCorSeleciona.h"

#include <QApplication>

#include "TF_CorSeleciona.h"
#include "WindowTranslation.h"

TCorSeleciona::TCorSeleciona(QObject* parent) : QObject(parent) {}

bool TCorSeleciona::Execute() {
  if (TF_CorSeleciona::Aberto()) return false;
  TF_CorSeleciona dialog(QApplication::activeWindow());
  TF_CorSeleciona::setAberto(&dialog);  // cleared when the dialog goes
  TranslateFormByHints(&dialog, false);
  dialog.setCorAtual(fColor);
  dialog.MarcaCorDoSistema(fColor);
  dialog.exec();
  if (!dialog.OK()) return false;
  fColor = dialog.CorAtual();
  return true;
}
