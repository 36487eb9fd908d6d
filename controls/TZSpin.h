#pragma once
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "ControlEvents.h"

// The two-half spin button of TZSpinEdit: a press steps at once, and a held
// half repeats once per Tempo after about three periods.
class TZSpin : public QWidget {
  Q_OBJECT
 public:
  enum class Metade { Nenhuma, Cima, Baixo };
  // Milliseconds of a steady clock; tests replace it to drive the repeat.
  using TRelogio = std::function<int64_t()>;

  explicit TZSpin(QWidget* parent = nullptr);

  int Tempo() const { return fTempo; }
  void setTempo(int v) { fTempo = v; }
  double Passo() const { return fPasso; }
  void setPasso(double v) { fPasso = v; }
  double Valor() const { return fValor; }
  void setValor(double v) { fValor = v; }
  double Max() const { return fMax; }
  void setMax(double v) { fMax = v; }
  double Min() const { return fMin; }
  void setMin(double v) { fMin = v; }
  bool ParadeRodar() const { return fParadeRodar; }
  void setParadeRodar(bool v) { fParadeRodar = v; }
  QImage UpGlyph() const { return fUpGlyph; }
  void setUpGlyph(const QImage& v) {
    fUpGlyph = v;
    update();
  }
  QImage DownGlyph() const { return fDownGlyph; }
  void setDownGlyph(const QImage& v) {
    fDownGlyph = v;
    update();
  }

  Metade MetadePressionada() const { return fMetade; }
  bool Pressionando() const { return fPressionando; }
  QTimer& TimerRepeticao() { return fTimer; }
  void setRelogio(TRelogio relogio) { fRelogio = std::move(relogio); }
  // One tick of the repeat timer (the timer calls it; tests may too).
  void TimerTick();
  void PararRepeticao() { fTimer.stop(); }
  // One step up or down, as a click on that half makes, without a press
  // that repeats (the keyboard's and assistive tools' step).
  void UmPasso(bool cima);

  TNotifyEvent OnMuda;
  TNotifyEvent OnCima;
  TNotifyEvent OnBaixo;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Passa();
  Metade MetadeEm(int x, int y) const;

  int fTempo = 100;
  double fPasso = 1.0;
  double fValor = 0;
  double fMax = 100.0;
  double fMin = 0;
  bool fParadeRodar = false;
  QImage fUpGlyph;
  QImage fDownGlyph;
  QTimer fTimer;
  Metade fMetade = Metade::Nenhuma;
  bool fPressionando = false;
  int64_t fInicio = 0;
  TRelogio fRelogio;
};
