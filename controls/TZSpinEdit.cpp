#include "TZSpinEdit.h"

#include <QKeyEvent>
#include <charconv>
#include <cmath>

#include "ControlAccessibility.h"
#include "ControlText.h"
#include "TAtlEdit.h"
#include "TZSpin.h"
#include "WinColor.h"

TZSpinEdit::TZSpinEdit(QWidget* parent) : QWidget(parent) {
  InstallControlAccessibility();
  fEdit = new TAtlEdit(this);
  fSpin = new TZSpin(this);
  fEdit->setMinimumSize(0, 0);
  fSpin->setMinimumSize(0, 0);
  fEdit->setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(fEdit);
  resize(80, 40);
  Dispoe();
  fEdit->OnKeyDown = [this](QObject* sender, int& key, Qt::KeyboardModifiers shift) {
    if (OnKeyDown) OnKeyDown(sender, key, shift);
    if (key == 0 || !fUsaTeclas) return;
    if (key == Qt::Key_Up) {
      if (fValue < fMaxValue) setValue(fValue + 1);
      repaint();
      key = 0;
    } else if (key == Qt::Key_Down) {
      if (fValue > fMinValue) setValue(fValue - 1);
      repaint();
      key = 0;
    }
  };
  fEdit->OnKeyUp = [this](QObject*) { fPermiteEvento = true; };
  connect(fEdit, &QLineEdit::textChanged, this, &TZSpinEdit::TextoMudou);
  fSpin->OnMuda = [this](QObject*) { SpinMudou(); };
  // A window built in code is "loaded" once constructed: both echoes on,
  // and Value written into the text box and the spin button.
  Loaded();
}

void TZSpinEdit::Incrementa() { fSpin->UmPasso(true); }
void TZSpinEdit::Decrementa() { fSpin->UmPasso(false); }

void TZSpinEdit::Loaded() {
  fPermiteEvento = false;
  fEdit->setIniFile(fIniFile);
  fEdit->setIniCampo(fIniCampo);
  fEdit->setIniVariavel(fIniVariavel);
  fEdit->setIniDefault(fIniDefault);
  fEdit->setIniAutoSave(fIniAutoSave);
  fEdit->setIniAutoload(fIniAutoload);
  fEcoTexto = true;
  fEcoSpin = true;
  // Text read from the INI file is applied like typed text, so that Value
  // and the box agree; pushing Value afterwards would overwrite it.
  const std::string antes = Text();
  if (fIniAutoload) fEdit->RecupINI();
  if (fIniAutoload && Text() != antes) return;
  if (fEventoLogodeCara) {
    fForca = true;
    AplicaValor(fValue, Origem::Programa);
  }
}

void TZSpinEdit::Dispoe() {
  fSpin->setGeometry(width() - fLargura - 1, 0, fLargura, height() - 1);
  fEdit->setGeometry(0, 1, width() - fLargura - 2, height() - 4);
}

void TZSpinEdit::resizeEvent(QResizeEvent*) { Dispoe(); }

void TZSpinEdit::setLargura(int v) {
  fLargura = v;
  Dispoe();
}

void TZSpinEdit::setMaxValue(int v) {
  fMaxValue = v;
  fSpin->setMax(v);
  if (fMinValue <= fMaxValue) fSpin->setValor(std::clamp(fSpin->Valor(), double(fMinValue), double(fMaxValue)));
}

void TZSpinEdit::setMinValue(int v) {
  fMinValue = v;
  fSpin->setMin(v);
  if (fMinValue <= fMaxValue) fSpin->setValor(std::clamp(fSpin->Valor(), double(fMinValue), double(fMaxValue)));
}

std::string TZSpinEdit::Text() const { return ToLatin1(fEdit->text()); }

void TZSpinEdit::setText(const std::string& text) { fEdit->setText(FromLatin1(text)); }

void TZSpinEdit::setValue(int v) { AplicaValor(v, Origem::Programa); }

int TZSpinEdit::Tempo() const { return fSpin->Tempo(); }
void TZSpinEdit::setTempo(int v) { fSpin->setTempo(v); }
int TZSpinEdit::Passo() const { return static_cast<int>(std::nearbyint(fSpin->Passo())); }
void TZSpinEdit::setPasso(int v) { fSpin->setPasso(v); }
QImage TZSpinEdit::UpGlyph() const { return fSpin->UpGlyph(); }
void TZSpinEdit::setUpGlyph(const QImage& v) { fSpin->setUpGlyph(v); }
QImage TZSpinEdit::DownGlyph() const { return fSpin->DownGlyph(); }
void TZSpinEdit::setDownGlyph(const QImage& v) { fSpin->setDownGlyph(v); }
bool TZSpinEdit::Ctl3D() const { return fEdit->Ctl3D(); }
void TZSpinEdit::setCtl3D(bool v) { fEdit->setCtl3D(v); }

void TZSpinEdit::ParadeRodar() {
  fSpin->setParadeRodar(true);
  fSpin->PararRepeticao();
}

void TZSpinEdit::EscreveTexto(int v) {
  fEcoTexto = false;
  fEdit->setText(QString::number(v));
  fEcoTexto = true;
}

void TZSpinEdit::AplicaValor(int v, Origem origem) {
  if (!fForca && v == fValue) return;
  fForca = false;
  if (fOcupado) return;
  fOcupado = true;
  if (fPermiteEvento && OnChangeAntes) {
    const double passo = fSpin->Passo();
    fSpin->setPasso(0);
    bool para = false;
    OnChangeAntes(this, para);
    fSpin->setPasso(passo);
    if (para) {
      fSpin->PararRepeticao();
      EscreveTexto(fValue);
      fSpin->setValor(fValue);
      fSpin->setParadeRodar(true);
      fOcupado = false;
      return;
    }
  }
  if (v > fMaxValue) v = fMaxValue;
  if (v < fMinValue) v = fMinValue;
  fValue = v;
  if (origem != Origem::Spin) {
    fEcoSpin = false;
    fSpin->setValor(fValue);
    fEcoSpin = true;
  }
  if (origem != Origem::Texto) EscreveTexto(fValue);
  if (fPermiteEvento && OnChange) OnChange(this);
  fOcupado = false;
  NotifyValueChanged(this, fValue);
}

void TZSpinEdit::TextoMudou(const QString& text) {
  if (!fEcoTexto || text.isEmpty()) return;
  const std::string bytes = ToLatin1(text);
  long long n = 0;
  const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), n);
  QPalette palette = fEdit->palette();
  if (error != std::errc() || end != bytes.data() + bytes.size() || n < INT32_MIN || n > INT32_MAX) {
    palette.setColor(QPalette::Text, QColor(128, 0, 0));
    fEdit->setPalette(palette);
    return;
  }
  const double valor = static_cast<double>(n);
  if (valor > fSpin->Max() || valor < fSpin->Min()) {
    if (!fForcaMaxMin) {
      palette.setColor(QPalette::Text, QColor(128, 0, 0));
      fEdit->setPalette(palette);
    } else {
      // Rewriting the text is itself a change, which applies the bound.
      const double limite = valor > fSpin->Max() ? fSpin->Max() : fSpin->Min();
      fEdit->setText(QString::number(static_cast<long long>(std::nearbyint(limite))));
    }
    return;
  }
  palette.setColor(QPalette::Text, WinToQColor(clWindowText));
  fEdit->setPalette(palette);
  AplicaValor(static_cast<int>(n), Origem::Texto);
}

void TZSpinEdit::SpinMudou() {
  if (!fEcoSpin) return;
  AplicaValor(static_cast<int>(std::nearbyint(fSpin->Valor())), Origem::Spin);
  if (OnChangeUser) OnChangeUser(this);
}
