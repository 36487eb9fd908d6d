#include "TMPanel.h"

#include <QBitmap>
#include <QGraphicsOpacityEffect>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>

#include "ControlAccessibility.h"
#include "ControlText.h"
#include "FocusMark.h"
#include "ReadableText.h"

TMPanel::TMPanel(QWidget* parent) : QWidget(parent) {
  resize(200, 150);
  // The owner may render into the panel: no background erase, no flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  setMouseTracking(true);  // moves are reported without a button held
  InstallControlAccessibility();
}

QRect TMPanel::ClientArea() const {
  int inset = fBorderWidth;
  if (fBevelOuter != bvNone) inset += fBevelWidth;
  if (fBevelInner != bvNone) inset += 2 * fBevelWidth;
  if (fTracoBtn) inset += 1;
  return rect().adjusted(inset, inset, -inset, -inset);
}

void TMPanel::Margens() {
  const QRect inner = ClientArea();
  setContentsMargins(inner.left(), inner.top(), width() - 1 - inner.right(), height() - 1 - inner.bottom());
  update();
}

void TMPanel::Repaint() {
  if (OnPaint)
    OnPaint(this);
  else
    update();  // a self-painted panel still shows its change
}

void TMPanel::paintEvent(QPaintEvent*) {
  Transparenter();
  if (OnPaint) {
    OnPaint(this);
    return;
  }
  QPainter p(this);
  DesenhaPainel(p);
}

void TMPanel::DesenhaPainel(QPainter& p) {
  const QColor color = WinToQColor(fColor);
  if (!fFigura.isNull() && fFigura.width() > 0 && fFigura.height() > 0) {
    const int pw = fFigura.width(), ph = fFigura.height();
    switch (fTipo) {
      case tpNormal:
        p.fillRect(rect(), color);
        p.drawImage(0, 0, fFigura);
        break;
      case tpStretch:
        p.drawImage(rect(), fFigura);
        break;
      case tpLadoaLado:
        for (int row = 0; row < height() / ph + 1; ++row)
          for (int col = 0; col < width() / pw + 1; ++col) p.drawImage(col * pw, row * ph, fFigura);
        break;
    }
    return;
  }
  p.fillRect(rect(), color);
  const QColor light = WinToQColor(clBtnHighlight), shadow = WinToQColor(clBtnShadow);
  QRect r = rect();
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    const QColor topLeft = cut == bvRaised ? light : shadow;
    const QColor bottomRight = cut == bvRaised ? shadow : light;
    for (int i = 0; i < fBevelWidth; ++i) {
      p.setPen(topLeft);
      p.drawLine(r.left(), r.bottom(), r.left(), r.top());
      p.drawLine(r.left(), r.top(), r.right(), r.top());
      p.setPen(bottomRight);
      p.drawLine(r.right(), r.top(), r.right(), r.bottom());
      p.drawLine(r.right(), r.bottom(), r.left(), r.bottom());
      r.adjust(1, 1, -1, -1);
    }
  };
  bevel(fBevelOuter);
  r.adjust(fBorderWidth, fBorderWidth, -fBorderWidth, -fBorderWidth);
  bevel(fBevelInner);
  if (fTracoBtn) {
    p.setPen(shadow);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  p.setPen(ReadableOn(color, palette().color(QPalette::WindowText)));
  p.setFont(font());
  p.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, FromLatin1(fCaption));
  if (hasFocus()) DrawFocusMark(p, rect(), palette());
}

void TMPanel::setTransparentValue(int v) {
  fTransparentValue = v;
  if (v == -1) {
    AplicaTransparencia();
    fJanelaTratada = 0;
  } else {
    update();
  }
}

void TMPanel::Transparenter() {
  if (fTransparentValue == -1) return;
  const WId janela = effectiveWinId();
  if (janela == fJanelaTratada) return;
  fJanelaTratada = janela;
  if (!fTimer) {
    fTimer = new QTimer(this);
    connect(fTimer, &QTimer::timeout, this, &TMPanel::TimerTransparenter);
  }
  fTicks = 0;
  fTimer->start(100);
}

void TMPanel::TimerTransparenter() {
  ++fTicks;
  if (fTicks > 5 && fTimer) fTimer->stop();
  AplicaTransparencia();
}

// A top-level panel uses the window's own opacity; a child panel an
// opacity effect. -7 keys out white instead.
void TMPanel::AplicaTransparencia() {
  const int v = fTransparentValue;
  if (v == -1) {
    if (isWindow())
      setWindowOpacity(1.0);
    else
      setGraphicsEffect(nullptr);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    clearMask();
    update();
    return;
  }
  if (v == -7) {
    const QImage picture = grab().toImage();
    if (!picture.isNull()) setMask(QBitmap::fromImage(picture.createMaskFromColor(qRgb(255, 255, 255))));
    return;
  }
  const double alpha = std::min(std::abs(v), 255) / 255.0;
  if (isWindow()) {
    setWindowOpacity(alpha);
  } else {
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
    if (!effect) {
      effect = new QGraphicsOpacityEffect(this);
      setGraphicsEffect(effect);
    }
    effect->setOpacity(alpha);
  }
  setAttribute(Qt::WA_TransparentForMouseEvents, v < 0);
}

void TMPanel::resizeEvent(QResizeEvent*) {
  Margens();
  if (OnResize) OnResize(this);
}

void TMPanel::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TMPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (OnDblClick) OnDblClick(this);
  mousePressEvent(event);
}

void TMPanel::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), p.x(), p.y());
}

void TMPanel::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton && rect().contains(p) && OnClick) OnClick(this);
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TMPanel::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyDown) OnKeyDown(this, key, event->modifiers());
  // A panel that takes clicks and the keyboard is a button: Space or Enter clicks it.
  if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && OnClick &&
      event->modifiers() == Qt::NoModifier) {
    OnClick(this);
    return;
  }
  if (key != 0) QWidget::keyPressEvent(event);
}
