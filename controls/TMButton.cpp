#include "TMButton.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include "ControlAccessibility.h"
#include "ControlText.h"
#include "MnemonicShortcut.h"
#include "ReadableText.h"

TMButton::TMButton(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  InstallControlAccessibility();
  setMouseTracking(true);
  resize(75, 25);
}

void TMButton::setCaption(const std::string& v) {
  fCaption = v;
  UpdateMnemonic(this, fAtalho, v, [this] {
    if (isEnabled() && OnClick) OnClick(this);
  });
  update();
}

bool TMButton::DentroDoBotao(QPoint p) const {
  return p.x() >= 1 && p.x() <= width() - 1 && p.y() >= 1 && p.y() <= height() - 1;
}

QImage TMButton::FiguraAtual() const {
  QImage chosen;
  if (fPressionado)
    chosen = fFiguraDown;
  else if (fFocado && !fFiguraFoco.isNull())
    chosen = fFiguraFoco;
  else if (fSobre)
    chosen = fFiguraPassa;
  else
    chosen = fFigura;
  return chosen.isNull() ? fFigura : chosen;
}

TColor TMButton::CorAtual() const { return fPressionado ? fCorDown : fSobre ? fCorPassa : fCor; }

void TMButton::mousePressEvent(QMouseEvent* event) {
  fRastreando = true;
  fPressionado = true;
  repaint();
  setFocus(Qt::MouseFocusReason);
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TMButton::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), p.x(), p.y());
  if (fRastreando) {
    fPressionado = DentroDoBotao(p);
    repaint();
  }
}

void TMButton::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const bool wasTracking = fRastreando;
  fRastreando = false;
  fPressionado = false;
  repaint();
  if (wasTracking && DentroDoBotao(p)) {
    if (OnClick) OnClick(this);
    if (OnClickDepois) OnClickDepois(this);
  }
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TMButton::enterEvent(QEnterEvent*) {
  fSobre = true;
  update();
}

void TMButton::leaveEvent(QEvent*) {
  fSobre = false;
  update();
}

void TMButton::focusInEvent(QFocusEvent*) {
  fFocado = true;
  update();
}

void TMButton::focusOutEvent(QFocusEvent*) {
  fFocado = false;
  update();
}

void TMButton::Clica() {
  if (!isEnabled()) return;
  if (OnClick) OnClick(this);
  if (OnClickDepois) OnClickDepois(this);
}

void TMButton::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyDown) OnKeyDown(this, key, event->modifiers());
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
    Clica();
    return;
  }
  if (key != 0) QWidget::keyPressEvent(event);
}

void TMButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  if (fCores) {
    p.fillRect(r, WinToQColor(CorAtual()));
  } else if (fFundo) {
    const QColor face = WinToQColor(clBtnFace);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, fPressionado ? face.darker(115) : face.lighter(115));
    shade.setColorAt(1, fPressionado ? face.lighter(105) : face.darker(110));
    p.fillRect(r, shade);
  }
  const int s = fPressionado ? 1 : 0;
  const QImage picture = FiguraAtual();
  QRect textRect = r.adjusted(2 + s, 2 + s, -2 + s, -2 + s);
  if (!picture.isNull()) {
    if (fStretch) {
      const QRect target =
          (fTx2 > fTx1 && fTy2 > fTy1) ? QRect(QPoint(fTx1, fTy1), QPoint(fTx2, fTy2)) : r.adjusted(2, 2, -2, -2);
      p.drawImage(target.translated(s, s), picture);
    } else {
      const int x = fCaption.empty() ? (width() - picture.width()) / 2 : 4;
      p.drawImage(x + s, (height() - picture.height()) / 2 + s, picture);
      if (!fCaption.empty()) textRect.setLeft(x + picture.width() + 4 + s);
    }
  }
  if (fBorda3D) {
    const QColor light = WinToQColor(clBtnHighlight), shadow = WinToQColor(clBtnShadow);
    const int right = width() - 1, bottom = height() - 1;
    p.setPen(fPressionado ? shadow : light);
    p.drawLine(0, bottom, 0, 0);
    p.drawLine(0, 0, right, 0);
    p.setPen(fPressionado ? light : shadow);
    p.drawLine(right, 0, right, bottom);
    p.drawLine(right, bottom, 0, bottom);
  }
  if (fFocado) {
    p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    p.drawRect(r.adjusted(3, 3, -4, -4));
  }
  p.setFont(font());
  const QColor under = fCores ? WinToQColor(CorAtual()) : WinToQColor(clBtnFace);
  p.setPen(ReadableOn(under, isEnabled() ? palette().color(QPalette::ButtonText)
                                         : palette().color(QPalette::Disabled, QPalette::ButtonText)));
  p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, FromLatin1(fCaption));
}
