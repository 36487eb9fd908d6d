#pragma once
#include <QImage>
#include <QWidget>
#include <string>

#include "ControlEvents.h"
#include "WinColor.h"

class QShortcut;

// An owner-drawn push button with colours and pictures for its normal,
// pressed, hover and focused states. OnClick fires once, on a release
// inside, followed by OnClickDepois.
class TMButton : public QWidget {
  Q_OBJECT
 public:
  explicit TMButton(QWidget* parent = nullptr);

  bool Cores() const { return fCores; }
  void setCores(bool v) {
    fCores = v;
    update();
  }
  TColor Cor() const { return fCor; }
  void setCor(TColor v) {
    fCor = v;
    update();
  }
  TColor CorDown() const { return fCorDown; }
  void setCorDown(TColor v) {
    fCorDown = v;
    update();
  }
  TColor CorPassa() const { return fCorPassa; }
  void setCorPassa(TColor v) {
    fCorPassa = v;
    update();
  }
  TColor CorFoco() const { return fCorFoco; }
  void setCorFoco(TColor v) { fCorFoco = v; }
  bool Cancel() const { return fCancel; }
  void setCancel(bool v) { fCancel = v; }
  bool Default() const { return fDefault; }
  void setDefault(bool v) { fDefault = v; }
  int ModalResult() const { return fModalResult; }
  void setModalResult(int v) { fModalResult = v; }
  const std::string& Caption() const { return fCaption; }
  void setCaption(const std::string& v);
  QImage Figura() const { return fFigura; }
  void setFigura(const QImage& v) {
    fFigura = v;
    update();
  }
  QImage FiguraDown() const { return fFiguraDown; }
  void setFiguraDown(const QImage& v) {
    fFiguraDown = v;
    update();
  }
  QImage FiguraPassa() const { return fFiguraPassa; }
  void setFiguraPassa(const QImage& v) {
    fFiguraPassa = v;
    update();
  }
  QImage FiguraFoco() const { return fFiguraFoco; }
  void setFiguraFoco(const QImage& v) {
    fFiguraFoco = v;
    update();
  }
  bool Fundo() const { return fFundo; }
  void setFundo(bool v) {
    fFundo = v;
    update();
  }
  bool Borda3D() const { return fBorda3D; }
  void setBorda3D(bool v) {
    fBorda3D = v;
    update();
  }
  bool Stretch() const { return fStretch; }
  void setStretch(bool v) {
    fStretch = v;
    update();
  }
  int tx1() const { return fTx1; }
  void settx1(int v) { fTx1 = v; }
  int ty1() const { return fTy1; }
  void setty1(int v) { fTy1 = v; }
  int tx2() const { return fTx2; }
  void settx2(int v) { fTx2 = v; }
  int ty2() const { return fTy2; }
  void setty2(int v) { fTy2 = v; }

  bool Pressionado() const { return fPressionado; }
  bool Focado() const { return fFocado; }
  // A click from the keyboard or an assistive tool: OnClick, OnClickDepois.
  void Clica();
  // The picture the current state shows.
  QImage FiguraAtual() const;
  // The background colour the current state shows (with Cores).
  TColor CorAtual() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnClickDepois;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TKeyEvent OnKeyDown;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool DentroDoBotao(QPoint p) const;

  bool fCores = false;
  TColor fCor = RGBColor(153, 204, 255);
  TColor fCorDown = RGBColor(51, 153, 255);
  TColor fCorPassa = RGBColor(102, 204, 255);
  TColor fCorFoco = RGBColor(153, 204, 255);
  bool fCancel = false;
  bool fDefault = false;
  int fModalResult = 0;
  std::string fCaption;
  QImage fFigura, fFiguraDown, fFiguraPassa, fFiguraFoco;
  bool fFundo = true;
  bool fBorda3D = true;
  bool fStretch = false;
  int fTx1 = 0, fTy1 = 0, fTx2 = 0, fTy2 = 0;
  bool fPressionado = false;
  bool fRastreando = false;
  bool fSobre = false;
  bool fFocado = false;
  QShortcut* fAtalho = nullptr;
};
