#include "TZBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ControlText.h"
#include "MessageBoxes.h"
#include "common/Dictionary.h"
#include "common/Latin1.h"
#include "common/NonFiniteText.h"
#include "common/TextToNumber.h"

TZBox::TZBox(QWidget* parent) : QDialog(parent) {
  fPrompt = new QLabel(this);
  fPrompt->setTextFormat(Qt::PlainText);  // a script's prompt is shown as written
  fEntrada = new QLineEdit(this);
  fMais = NovoBotao(QStringLiteral("+"));
  fMenos = NovoBotao(QStringLiteral("-"));
  for (QPushButton* step : {fMais, fMenos}) {
    step->setAutoRepeat(true);
    step->setAutoRepeatDelay(500);
    step->setAutoRepeatInterval(100);
  }
  // "pressed" comes at the press and again at every repetition.
  connect(fMais, &QPushButton::pressed, this, [this] { Passo(+1); });
  connect(fMenos, &QPushButton::pressed, this, [this] { Passo(-1); });

  auto* entry = new QHBoxLayout;
  entry->addWidget(fMenos);
  entry->addWidget(fEntrada, 1);
  entry->addWidget(fMais);

  auto* keypad = new QGridLayout;
  const char* keys[] = {"7", "8", "9", "4", "5", "6", "1", "2", "3", "0", ".", "Del"};
  for (int i = 0; i < 12; ++i) {
    QPushButton* key = NovoBotao(FromLatin1(keys[i]));
    key->setObjectName(FromLatin1(keys[i]));
    keypad->addWidget(key, i / 3, i % 3);
    if (i == 11)
      connect(key, &QPushButton::clicked, fEntrada, &QLineEdit::clear);
    else
      connect(key, &QPushButton::clicked, this, [this, c = FromLatin1(keys[i])] { fEntrada->insert(c); });
  }

  fOK = new QPushButton(FromLatin1(Choose("OK", "OK")), this);
  fCancelar = new QPushButton(FromLatin1(Choose("Cancelar", "Cancel")), this);
  fOK->setDefault(true);
  connect(fOK, &QPushButton::clicked, this, &TZBox::Confirma);
  connect(fCancelar, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(fOK);
  buttons->addWidget(fCancelar);

  auto* column = new QVBoxLayout(this);
  column->addWidget(fPrompt);
  column->addLayout(entry);
  column->addLayout(keypad);
  column->addLayout(buttons);

  fCancelamento = new QTimer(this);
  fCancelamento->setSingleShot(true);
  connect(fCancelamento, &QTimer::timeout, this, &QDialog::reject);
  connect(fEntrada, &QLineEdit::textChanged, this, [this] { fCancelamento->start(fPrazo); });
  fCancelamento->start(fPrazo);
  fEntrada->setFocus();
}

QPushButton* TZBox::NovoBotao(const QString& caption) {
  auto* button = new QPushButton(caption, this);
  button->setAutoDefault(false);  // Enter belongs to OK
  button->setFocusPolicy(Qt::NoFocus);
  button->setMinimumWidth(36);
  return button;
}

QPushButton* TZBox::Tecla(const QString& caption) const { return findChild<QPushButton*>(caption); }

std::string TZBox::FormatoGeral(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

void TZBox::setCaption(const std::string& caption) { setWindowTitle(FromLatin1(caption)); }
void TZBox::setPrompt(const std::string& prompt) { fPrompt->setText(FromLatin1(prompt)); }

void TZBox::setLimites(bool ligados, double min, double max) {
  fLimites = ligados;
  fMin = min;
  fMax = max;
}

void TZBox::setTexto(const std::string& text) { fEntrada->setText(FromLatin1(text)); }
std::string TZBox::Texto() const { return ToLatin1(fEntrada->text()); }

void TZBox::setPrazoCancelamento(int ms) {
  fPrazo = ms;
  fCancelamento->start(fPrazo);
}

void TZBox::Passo(int sinal) {
  double v = TextToNumber(Texto());
  // A step from a value no number can follow starts again from a bound.
  if (!std::isfinite(v)) v = std::isinf(v) && v > 0 ? fMax : fMin;
  v += sinal * fPasso;
  if (fLimites) v = std::clamp(v, fMin, fMax);
  if (!std::isfinite(v)) v = 0;
  setTexto(FormatoGeral(v));
}

void TZBox::Confirma() {
  const std::string texto = Texto();
  const double v = TextToNumber(texto);
  // NaN compares false with both limits and infinities are not read as
  // such, so a non-finite entry is judged by its text: it is refused even
  // with the limits off, as nothing can use it.
  const NonFinite naoFinito = ClassifyNonFinite(texto);
  const std::string mostrado = naoFinito == NonFinite::None ? FormatoGeral(v) : Trim(texto);
  if (naoFinito == NonFinite::MinusInfinity || (fLimites && v < fMin && naoFinito == NonFinite::None)) {
    ShowWarning("Valor " + mostrado + " \xE9 menor que o permitido. (" + FormatoGeral(fMin) + ")");
    return;
  }
  if (naoFinito != NonFinite::None || (fLimites && v > fMax)) {
    ShowWarning("Valor " + mostrado + " \xE9 maior que o permitido. (" + FormatoGeral(fMax) + ")");
    return;
  }
  accept();
}

std::string TZBox::InputNumber(const std::string& caption, const std::string& prompt, double min, double max,
                               double step, const std::string& atual) {
  TZBox box;
  box.setCaption(caption);
  box.setPrompt(prompt);
  box.setLimites(true, min, max);
  box.setPasso(step);
  box.setTexto(atual);
  return box.exec() == QDialog::Accepted ? box.Texto() : atual;
}
