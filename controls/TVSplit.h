#pragma once
#include <QWidget>

#include "ControlEvents.h"
#include "WinColor.h"

// Holds exactly two child widgets side by side (Horizontal) or stacked,
// with a bar between them that the mouse can drag. Posic is the bar
// position, counted from the far edge when Contrario. The child with Tag 1
// is the second pane; a child with Tag 2 stops the layout.
class TVSplit : public QWidget, public TMouseEvents {
  Q_OBJECT
 public:
  explicit TVSplit(QWidget* parent = nullptr);

  int Posic() const { return fPosic; }
  void setPosic(int v);
  bool Contrario() const { return fContrario; }
  void setContrario(bool v) { fContrario = v; }
  bool Horizontal() const { return fHorizontal; }
  void setHorizontal(bool v);
  int Largura() const { return fLargura; }
  void setLargura(int v);
  bool r3d() const { return fR3d; }
  void setr3d(bool v) { fR3d = v; }
  bool Percentual() const { return fPercentual; }
  void setPercentual(bool v) { fPercentual = v; }
  bool Bloqueado() const { return fBloqueado; }
  void setBloqueado(bool v) { fBloqueado = v; }
  double PosicPercentual() const { return fPosicPercentual; }
  void setPosicPercentual(double v);
  TColor Color() const { return fColor; }
  void setColor(TColor v) {
    fColor = v;
    update();
  }

  // Lays the panes out again (also after a child's Tag changed).
  void Dispoe();
  void metodo() {}
  bool Arrastando() const { return fArrastando; }
  // The bar thickness.
  int B() const { return fB; }

  TNotifyEvent Altera;
  TNotifyEvent Some;
  // OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp: see TMouseEvents.

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void Layout();
  void RecalculaPercentual();
  int Base() const;
  int Tamanho() const { return fHorizontal ? width() : height(); }
  int Coordenada(QPoint p) const { return fHorizontal ? p.x() : p.y(); }
  void MostraLinha(int p);

  int fPosic = 150;
  bool fContrario = false;
  bool fHorizontal = false;
  int fLargura = 5;
  bool fR3d = true;
  bool fPercentual = false;
  bool fBloqueado = false;
  double fPosicPercentual = 50.0;
  TColor fColor = clBtnFace;
  int fB = 8;
  int fMinimo = 8;
  bool fDisposto = false;
  bool fArrastando = false;
  QWidget* fLinha;  // the drag line, drawn over the panes
};
