#include "TFCalen.h"

#include <QCalendarWidget>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "ControlText.h"
#include "common/Dictionary.h"

namespace {
const QDate kDiaZero(1899, 12, 30);
}

TFCalen::TFCalen(QWidget* parent) : QDialog(parent) {
  fRotulo = new QLabel(this);
  fRotulo->setTextFormat(Qt::PlainText);  // a script's text is shown as written
  fCalendario = new QCalendarWidget(this);
  fCalendario->setGridVisible(true);
  fOK = new QPushButton(FromLatin1(Choose("OK", "OK")), this);
  fCancelar = new QPushButton(FromLatin1(Choose("Cancelar", "Cancel")), this);
  fOK->setDefault(true);
  connect(fOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(fCancelar, &QPushButton::clicked, this, &QDialog::reject);
  connect(fCalendario, &QCalendarWidget::activated, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(fOK);
  buttons->addWidget(fCancelar);
  auto* column = new QVBoxLayout(this);
  column->addWidget(fRotulo);
  column->addWidget(fCalendario);
  column->addLayout(buttons);
  setWindowTitle(FromLatin1(Choose("Calend\xE1rio", "Calendar")));
}

void TFCalen::setTitulo(const std::string& v) {
  fTitulo = v;
  fRotulo->setText(FromLatin1(v));
  fRotulo->setVisible(!v.empty());
}

// Day-based date-times count whole days from 1899-12-30; before that day
// the fraction still runs forward from midnight.
void TFCalen::setDataHora(double v) {
  if (!std::isfinite(v)) v = 0;
  const double dias = std::trunc(v);
  fHora = std::fabs(v - dias);
  fCalendario->setSelectedDate(kDiaZero.addDays(static_cast<qint64>(dias)));
}

double TFCalen::DataHora() const {
  QDate dia = fCalendario->selectedDate();
  if (fPorMes) dia = QDate(dia.year(), dia.month(), 1);
  const double dias = static_cast<double>(kDiaZero.daysTo(dia));
  return dias < 0 ? dias - fHora : dias + fHora;
}

double TFCalen::EscolheData(const std::string& titulo, double dataHora) {
  TFCalen dialog;
  dialog.setTitulo(titulo);
  dialog.setPorMes(false);
  dialog.setDataHora(dataHora);
  return dialog.exec() == QDialog::Accepted ? dialog.DataHora() : -1.0;
}
