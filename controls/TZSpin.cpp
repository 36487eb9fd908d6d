#include "TZSpin.h"

#include <QMouseEvent>
#include <QPainter>
#include <chrono>

#include "FaceColors.h"
#include "PictureTools.h"

TZSpin::TZSpin(QWidget* parent) : QWidget(parent) {
  fUpGlyph = ControlPicture("UG");
  fDownGlyph = ControlPicture("DG");
  fRelogio = [] {
    using namespace std::chrono;
    return static_cast<int64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  };
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  connect(&fTimer, &QTimer::timeout, this, &TZSpin::TimerTick);
}

TZSpin::Metade TZSpin::MetadeEm(int x, int y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return Metade::Nenhuma;
  return y < height() / 2 ? Metade::Cima : Metade::Baixo;
}

void TZSpin::UmPasso(bool cima) {
  const Metade antes = fMetade;
  fMetade = cima ? Metade::Cima : Metade::Baixo;
  Passa();
  fMetade = fPressionando ? antes : Metade::Nenhuma;
}

void TZSpin::Passa() {
  if (fMetade == Metade::Nenhuma) return;
  const bool cima = fMetade == Metade::Cima;
  fValor += cima ? fPasso : -fPasso;
  if (fValor < fMin) fValor = fMin;
  if (fValor > fMax) fValor = fMax;
  if (cima && OnCima) OnCima(this);
  if (!cima && OnBaixo) OnBaixo(this);
  if (OnMuda) OnMuda(this);
  if (fParadeRodar) {
    fMetade = Metade::Nenhuma;
    fPressionando = false;
    fParadeRodar = false;
    update();
  }
}

void TZSpin::TimerTick() {
  if (!fPressionando) return;
  if (fRelogio() - fInicio > 2 * static_cast<int64_t>(fTempo)) Passa();
}

void TZSpin::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  fMetade = p.y() < height() / 2 ? Metade::Cima : Metade::Baixo;
  repaint();
  fPressionando = true;
  fInicio = fRelogio();
  Passa();
  fTimer.start(fTempo);
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TZSpin::mouseMoveEvent(QMouseEvent* event) {
  if (!fPressionando) return;
  const QPoint p = event->position().toPoint();
  const Metade metade = MetadeEm(p.x(), p.y());
  if (metade != fMetade) {
    fMetade = metade;
    update();
  }
}

void TZSpin::mouseReleaseEvent(QMouseEvent* event) {
  fTimer.stop();
  fMetade = Metade::Nenhuma;
  fPressionando = false;
  repaint();
  const QPoint p = event->position().toPoint();
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TZSpin::paintEvent(QPaintEvent*) {
  const int W = width(), H = height();
  if (W <= 0 || H <= 0) return;
  QImage bitmap(W, H, QImage::Format_RGB32);
  bitmap.fill(WinToQColor(CorFaceSpin));
  QPainter p(&bitmap);
  const bool cima = fMetade == Metade::Cima, baixo = fMetade == Metade::Baixo;
  const int sc = cima ? 1 : 0, sb = baixo ? 1 : 0;
  const QSize up = fUpGlyph.deviceIndependentSize().toSize(), down = fDownGlyph.deviceIndependentSize().toSize();
  if (!fUpGlyph.isNull()) p.drawImage(W / 2 - up.width() / 2 + sc, H / 4 - up.height() / 2 + sc, fUpGlyph);
  if (!fDownGlyph.isNull())
    p.drawImage(W / 2 - down.width() / 2 + sb, H / 2 + H / 4 - down.height() / 2 + sb, fDownGlyph);
  const QColor sombra = WinToQColor(clBtnShadow), texto = WinToQColor(clWindowText);
  const int meio = H / 2;
  p.setPen(cima ? texto : sombra);
  p.drawRect(0, 0, W - 1, meio - 1);
  p.setPen(baixo ? texto : sombra);
  p.drawRect(0, meio, W - 1, H - meio - 1);
  p.setPen(sombra);
  p.drawLine(0, H - 1, W - 1, H - 1);
  p.end();
  QPainter(this).drawImage(0, 0, bitmap);
}
