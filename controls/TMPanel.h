#pragma once
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <string>

#include "ControlEvents.h"
#include "WinColor.h"

// A panel that hosts child widgets and either paints itself (bevels,
// caption, background picture) or leaves every paint to its owner through
// OnPaint, never erasing its background (the view renders into it).
class TMPanel : public QWidget, public TMouseEvents {
  Q_OBJECT
 public:
  enum TBevelCut { bvNone, bvLowered, bvRaised };
  enum TBorderStyle { bsNone, bsSingle };
  enum TGBTipo { tpNormal, tpStretch, tpLadoaLado };

  explicit TMPanel(QWidget* parent = nullptr);

  int TransparentValue() const { return fTransparentValue; }
  void setTransparentValue(int v);
  TBevelCut BevelInner() const { return fBevelInner; }
  void setBevelInner(TBevelCut v) {
    fBevelInner = v;
    Margens();
  }
  TBevelCut BevelOuter() const { return fBevelOuter; }
  void setBevelOuter(TBevelCut v) {
    fBevelOuter = v;
    Margens();
  }
  int BevelWidth() const { return fBevelWidth; }
  void setBevelWidth(int v) {
    fBevelWidth = std::max(1, v);
    Margens();
  }
  int BorderWidth() const { return fBorderWidth; }
  void setBorderWidth(int v) {
    fBorderWidth = std::max(0, v);
    Margens();
  }
  TBorderStyle BorderStyle() const { return fBorderStyle; }
  void setBorderStyle(TBorderStyle v) { fBorderStyle = v; }
  bool FullRepaint() const { return fFullRepaint; }
  void setFullRepaint(bool v) { fFullRepaint = v; }
  bool Locked() const { return fLocked; }
  void setLocked(bool v) { fLocked = v; }
  TGBTipo Tipo() const { return fTipo; }
  void setTipo(TGBTipo v) {
    fTipo = v;
    update();
  }
  bool TracoBtn() const { return fTracoBtn; }
  void setTracoBtn(bool v) {
    fTracoBtn = v;
    Margens();
  }
  QImage Figura() const { return fFigura; }
  void setFigura(const QImage& v) {
    fFigura = v;
    update();
  }
  const std::string& Caption() const { return fCaption; }
  void setCaption(const std::string& v) {
    fCaption = v;
    update();
  }
  TColor Color() const { return fColor; }
  void setColor(TColor v) {
    fColor = v;
    update();
  }

  // The control's repaint request: goes straight to OnPaint.
  void Repaint();
  // Applies TransparentValue when the panel's native window is new.
  void Transparenter();
  void TimerTransparenter();
  // Where children go: the bounds less border, bevels and the extra frame.
  QRect ClientArea() const;

  TNotifyEvent OnPaint;
  TNotifyEvent OnResize;
  // OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp: see TMouseEvents.
  TKeyEvent OnKeyDown;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Margens();
  void AplicaTransparencia();
  void DesenhaPainel(QPainter& p);

  int fTransparentValue = -1;
  TBevelCut fBevelInner = bvNone;
  TBevelCut fBevelOuter = bvNone;
  int fBevelWidth = 1;
  int fBorderWidth = 0;
  TBorderStyle fBorderStyle = bsNone;
  bool fFullRepaint = false;
  bool fLocked = false;
  TGBTipo fTipo = tpLadoaLado;
  bool fTracoBtn = false;
  QImage fFigura;
  std::string fCaption;
  TColor fColor = clBtnFace;
  WId fJanelaTratada = 0;
  QTimer* fTimer = nullptr;
  int fTicks = 0;
};
