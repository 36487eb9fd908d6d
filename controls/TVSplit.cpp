#include "TVSplit.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "ControlAccessibility.h"
#include "ControlHint.h"
#include "Frame3D.h"

TVSplit::TVSplit(QWidget* parent) : QWidget(parent) {
  fLinha = new QWidget(this);
  fLinha->setAttribute(Qt::WA_TransparentForMouseEvents);
  fLinha->setAutoFillBackground(true);
  QPalette dark = fLinha->palette();
  dark.setColor(QPalette::Window, QColor(64, 64, 64));
  fLinha->setPalette(dark);
  fLinha->hide();
  setMouseTracking(true);
  InstallControlAccessibility();
  resize(300, 150);
}

void TVSplit::setPosic(int v) {
  if (fPercentual) return;
  fPosic = v;
  fDisposto = false;
  Layout();
  update();
}

void TVSplit::setHorizontal(bool v) {
  fHorizontal = v;
  fDisposto = false;
  update();
  Layout();
}

void TVSplit::setLargura(int v) {
  fLargura = v;
  fB = v + 2;
  fMinimo = v + 2;
}

void TVSplit::RecalculaPercentual() {
  const double q = fContrario ? 100.0 - fPosicPercentual : fPosicPercentual;
  fPosic = static_cast<int>(std::nearbyint((width() - 1 - fB) * q / 100.0));
}

void TVSplit::setPosicPercentual(double v) {
  if (!fPercentual) return;
  fPosicPercentual = v;
  RecalculaPercentual();
  fDisposto = false;
  Layout();
  update();
}

void TVSplit::Dispoe() {
  fDisposto = false;
  Layout();
}

int TVSplit::Base() const { return fContrario ? Tamanho() : 0; }

void TVSplit::Layout() {
  if (fDisposto) return;
  if (fMinimo > fPosic) fPosic = fMinimo;
  if (fPercentual) RecalculaPercentual();
  std::vector<QWidget*> panes;
  for (QObject* child : children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && w != fLinha && !w->isWindow()) panes.push_back(w);
  }
  if (panes.size() != 2) {
    fDisposto = true;
    return;
  }
  if (Tag(panes[0]) == 2 || Tag(panes[1]) == 2) return;
  QWidget* first = panes[0];
  QWidget* second = panes[1];
  if (Tag(first) == 1) std::swap(first, second);
  const int base = Base();
  int d = std::abs(fPosic - base);
  if (!fHorizontal && fContrario && fPosic - base >= 1) d = fB;
  const int m = fR3d ? 1 : 0;
  const int h = fB / 2;
  const int W = width(), H = height();
  if (fHorizontal) {
    first->setGeometry(m, m, std::max(0, d - 2 - m), std::max(0, H - 2 * m));
    second->setGeometry(d + h, m, std::max(0, W - d - h - m), std::max(0, H - 2 * m));
  } else {
    first->setGeometry(m, m, std::max(0, W - 2 * m), std::max(0, d - h));
    second->setGeometry(m, d + h - m + 1, std::max(0, W - 2 * m), std::max(0, H - d - h - m));
  }
  fDisposto = true;
}

bool TVSplit::event(QEvent* e) {
  // Panes added, removed or shown for the first time are laid out again.
  if (e->type() == QEvent::ChildAdded || e->type() == QEvent::ChildRemoved || e->type() == QEvent::ChildPolished ||
      e->type() == QEvent::Show) {
    fDisposto = false;
    Layout();
  }
  return QWidget::event(e);
}

void TVSplit::resizeEvent(QResizeEvent*) {
  fDisposto = false;
  Layout();
}

void TVSplit::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), WinToQColor(fColor));
  Layout();
  if (fR3d) DrawFrame3D(p, width(), height(), clBtnShadow, clBtnHighlight);
}

void TVSplit::MostraLinha(int pos) {
  const int t = std::min(fB / 2, 4);
  if (fHorizontal)
    fLinha->setGeometry(QRect(QPoint(pos - fB / 2 - 1, 0), QPoint(pos + t - 2 - 1, height() - 2 - 1)));
  else
    fLinha->setGeometry(QRect(QPoint(0, pos - t - 2), QPoint(width() - 2 - 1, pos + t - 2 - 1)));
  fLinha->show();
  fLinha->raise();
}

void TVSplit::mousePressEvent(QMouseEvent* event) {
  const QPoint pt = event->position().toPoint();
  if (fBloqueado) {
    fArrastando = false;
  } else if (event->button() == Qt::LeftButton) {
    const int base = Base();
    int d = std::abs(fPosic - base);
    if (fContrario && fPosic - base >= 1) d = fB;
    const int p = Coordenada(pt);
    if (d - fB <= p && p <= d + fB) {
      fArrastando = true;
      MostraLinha(p);
    }
  }
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), pt.x(), pt.y());
}

void TVSplit::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pt = event->position().toPoint();
  const Qt::CursorShape split = fHorizontal ? Qt::SplitHCursor : Qt::SplitVCursor;
  if (fBloqueado) {
    fArrastando = false;
  } else if (!fArrastando) {
    const int d = std::abs(fPosic - Base());
    const int p = Coordenada(pt);
    setCursor(d - fB <= p && p <= d + fB ? split : Qt::ArrowCursor);
  } else {
    const int p = std::clamp(Coordenada(pt), fB, std::max(fB, Tamanho() - fB));
    MostraLinha(p);
    setCursor(split);
  }
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), pt.x(), pt.y());
}

void TVSplit::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pt = event->position().toPoint();
  if (fBloqueado) {
    fArrastando = false;
  } else {
    setCursor(Qt::ArrowCursor);
    if (fArrastando) {
      fLinha->hide();
      const int p = std::clamp(Coordenada(pt), 0, Tamanho());
      const bool percentual = fPercentual;
      fPercentual = false;  // the pixel position goes in through the property
      setPosic(fContrario ? Base() - p : p);
      fPercentual = percentual;
      if (fPercentual) {
        const int divisor = width() - fB - 1;
        fPosicPercentual = divisor > 0 ? p * 100.0 / divisor : 50.0;
      }
      update();
      fArrastando = false;
    }
    fDisposto = false;
    Layout();
    if (Altera) Altera(this);
  }
  if (event->button() == Qt::LeftButton && rect().contains(pt) && OnClick) OnClick(this);
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), pt.x(), pt.y());
}

// The bar has no keyboard handling of its own.
void TVSplit::keyPressEvent(QKeyEvent*) {}
void TVSplit::keyReleaseEvent(QKeyEvent*) {}
