#include "TMulfig.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "ControlAccessibility.h"
#include "ControlText.h"
#include "FaceColors.h"
#include "FocusMark.h"
#include "Frame3D.h"
#include "PictureTools.h"
#include "ReadableText.h"

namespace {
int Rnd(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

TMulfig::TMulfig(QWidget* parent) : QWidget(parent) {
  resize(200, 150);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::TabFocus);  // a click leaves the keys with the view
  InstallControlAccessibility();
}

TMulfig::~TMulfig() = default;

void TMulfig::setLista(const std::vector<std::string>& lines) {
  fLista = lines;
  update();
}

void TMulfig::setLista2(const std::vector<std::string>& lines) {
  fLista2 = lines;
  update();
}

void TMulfig::setValor(int v) {
  if (fSemEvento) {
    fValor = v;
    return;
  }
  bool ok = true;
  int novo = v;
  if (OnAntesSeleciona) {
    OnAntesSeleciona(this, ok, novo);
    if (!ok) return;
  }
  fValor = novo;
  if (OnDepoisSeleciona) OnDepoisSeleciona(this);
  PintaAgora(Modo::PintaTodos, fValor);
}

QImage TMulfig::FiguraDoItem(int item) const {
  if (item < 0 || item >= kSlots) return {};
  return fFiguras[static_cast<size_t>(item)];
}

void TMulfig::setFiguraDoItem(int item, const QImage& picture) {
  if (item < 0 || item >= kSlots) return;
  fFiguras[static_cast<size_t>(item)] = picture;
  update();
}

void TMulfig::FiguraInsere() {
  const int last = static_cast<int>(fLista.size()) - 1;
  if (fFiguraNum < 0 || fFiguraNum >= kSlots || last < 0) return;
  for (int i = std::min(last, kSlots - 1); i > fFiguraNum; --i)
    fFiguras[static_cast<size_t>(i)] = fFiguras[static_cast<size_t>(i - 1)];
  fFiguras[static_cast<size_t>(fFiguraNum)] = QImage();
  update();
}

void TMulfig::FiguraApaga() {
  const int last = std::min(static_cast<int>(fLista.size()) - 1, kSlots - 1);
  if (fFiguraNum < 0 || fFiguraNum >= kSlots || last < 0) return;
  for (int i = fFiguraNum; i < last; ++i) fFiguras[static_cast<size_t>(i)] = fFiguras[static_cast<size_t>(i + 1)];
  if (last >= fFiguraNum) fFiguras[static_cast<size_t>(last)] = QImage();
  update();
}

void TMulfig::AjustaFundoDasFiguras() {
  const QRgb face = WinToQColor(CorFaceMulfig).rgb();
  for (QImage& picture : fFiguras) ReplaceGreysWithFace(picture, face);
  update();
}

QString TMulfig::TextoDoItem(int item) const {
  const auto i = static_cast<size_t>(item);
  if (fMostraTextoAbaixo && i < fLista2.size()) return FromLatin1(fLista2[i]);
  return FromLatin1(fLista[i]);
}

int TMulfig::ItemEm(int x, int y) { return Percorre(x, y, Modo::Acha, -1, nullptr); }

QRect TMulfig::RetanguloDoItem(int item) {
  QRect r;
  Percorre(0, 0, Modo::Dimensiona, item, nullptr, &r);
  return r;
}

// One walk over the items: lays them out and, by mode, hit-tests, sizes the
// control or paints. `retangulo` receives the rectangle of item A.
int TMulfig::Percorre(int X, int Y, Modo modo, int A, QPainter* canvas, QRect* retangulo) {
  const int count = static_cast<int>(fLista.size());
  if (count == 0) return -1;
  double w;
  if (fIndividual) {
    w = fLargX;
  } else {
    const double b = fLargX >= 1 ? fLargX : width();
    w = ((b - 1 - 2.0 * fBordaX) / count) - fDX;
  }
  const double b2 = fLargY >= 1 ? fLargY : height();
  const double h = (b2 - 1 - 2.0 * fBordaY) - fDY;
  double x = fBordaX, y = fBordaY - 1;
  double fundo = y + h;
  const QFontMetrics metrics(font());
  for (int i = 0; i < count; ++i) {
    const bool separador = fLista[static_cast<size_t>(i)] == "-";
    const QString texto = TextoDoItem(i);
    int estado = i == A ? 1 : 0;
    if (texto == QStringLiteral("-")) estado = 2;
    double wi = w;
    if (fLargX == -1) wi = metrics.horizontalAdvance(FromLatin1(fLista[static_cast<size_t>(i)]) + "    ") + fDX;
    if (separador) wi = 12;
    const QRect r(QPoint(Rnd(x), Rnd(y)), QPoint(Rnd(x + wi), Rnd(y + h)));
    if (retangulo && i == A) *retangulo = r;
    bool desenha = false;
    switch (modo) {
      case Modo::Acha:
        if (r.left() <= X && X <= r.right() && r.top() <= Y && Y <= r.bottom()) return i;
        break;
      case Modo::Dimensiona:
        break;
      case Modo::PintaTodos:
        desenha = true;
        break;
      case Modo::PintaUm:
        // Only the item under the press changes; the others keep the plain look.
        desenha = true;
        if (estado != 2) estado = (i == A && fPintura.pressionado) ? 1 : 0;
        break;
      case Modo::PintaPassa:
        desenha = true;
        if (estado != 2) estado = (fTipo == 0 && i == fValor) ? 1 : 0;
        break;
    }
    if (desenha && canvas) {
      const QImage* figura = i < kSlots ? &fFiguras[static_cast<size_t>(i)] : nullptr;
      DesenhaItem(*canvas, r, estado, figura, texto);
      if (OnDesenhaMulfig) OnDesenhaMulfig(this, i, r.left() + 1, r.top() + 1, r.right() - 1, r.bottom() - 1, *canvas);
    }
    x = x + wi + fDX;
    if (x + wi > width() - 1) {
      y = y + h + fDY;
      x = fBordaX;
      fundo = fundo + h + fDY;
    }
  }
  if (modo == Modo::Dimensiona && fLargY > 0 && !fIndividual) {
    const int altura = Rnd(fundo) + 2 * fBordaY;
    if (altura != height()) {
      fMudandoAltura = true;
      resize(width(), altura);
      fMudandoAltura = false;
    }
  }
  return -1;
}

void TMulfig::DesenhaItem(QPainter& canvas, const QRect& r, int estado, const QImage* figura, const QString& texto) {
  const int W = std::max(1, r.width());
  const int H = std::max(1, r.height());
  // Painted at the screen's resolution, so that pictures and text stay crisp
  // on a scaled desktop.
  const qreal ratio = devicePixelRatioF();
  QImage bitmap(qCeil(W * ratio), qCeil(H * ratio), QImage::Format_RGB32);
  bitmap.setDevicePixelRatio(ratio);
  const QColor face = WinToQColor(CorFaceMulfig);
  bitmap.fill(face);
  QPainter p(&bitmap);
  p.setFont(font());
  if (estado == 2) {
    p.setPen(WinToQColor(clBtnShadow));
    p.drawLine((W - 1) / 2, 1, (W - 1) / 2, H - 2);
    p.setPen(WinToQColor(clBtnHighlight));
    p.drawLine((W - 1) / 2 + 1, 1, (W - 1) / 2 + 1, H - 2);
  } else {
    p.setPen(estado == 1 ? QColor(119, 119, 119) : QColor(255, 255, 255));
    p.drawRect(0, 0, W - 1, H - 1);
    const int s = estado == 1 ? 1 : 0;
    const QFontMetrics metrics(p.font());
    const QString t = texto.left(255);
    const int tw = metrics.horizontalAdvance(t);
    const int th = metrics.height();
    p.setClipRect(1, 1, W - 2, H - 2);
    p.setPen(ReadableOn(face, palette().color(QPalette::WindowText)));
    if (figura && !figura->isNull() && figura->width() > 0) {
      const QSize size = figura->deviceIndependentSize().toSize();
      const int pw = size.width(), ph = size.height();
      if (fMostraTextoAbaixo) {
        p.drawImage((W - 1) / 2 - pw / 2 + s, (H - 1) / 3 - ph / 2 + s, *figura);
        p.drawText((W - 1) / 2 - tw / 2 + s, 2 * (H - 1) / 3 - th / 2 + s + metrics.ascent(), t);
      } else {
        p.drawImage((W - 1) / 2 - pw / 2 + s, (H - 1) / 2 - ph / 2 + s, *figura);
      }
    } else {
      p.drawText((W - 1) / 2 - tw / 2 + s, (H - 1) / 2 - th / 2 + s + metrics.ascent(), t);
    }
  }
  p.end();
  canvas.drawImage(r.topLeft(), bitmap);
}

void TMulfig::PintaAgora(Modo modo, int a) {
  fPintura.modo = modo;
  fPintura.a = a;
  fPintura.pressionado = fPressionando;
  repaint();
}

void TMulfig::paintEvent(QPaintEvent*) {
  const Pintura pintura = fPintura;
  fPintura = Pintura();
  if (fMudandoAltura) return;
  QPainter canvas(this);
  canvas.setFont(font());
  canvas.fillRect(rect(), WinToQColor(CorFaceMulfig));
  if (!fLista.empty()) {
    Percorre(0, 0, Modo::Dimensiona, fValor, nullptr);
    fPintura = pintura;  // the item painters read the pressed flag from here
    if (pintura.modo == Modo::PintaTodos)
      Percorre(0, 0, Modo::PintaTodos, fValor, &canvas);
    else
      Percorre(0, 0, pintura.modo, pintura.a, &canvas);
    fPintura = Pintura();
    if (fCtl3D) DrawFrame3D(canvas, width(), height(), clBtnHighlight, clBtnShadow);
  }
  if (hasFocus()) {
    canvas.setPen(QPen(Qt::black, 1, Qt::DotLine));
    canvas.drawRect(0, 0, width() - 1, height() - 1);
    if (fItemFocado >= 0 && fItemFocado < static_cast<int>(fLista.size()))
      DrawFocusMark(canvas, RetanguloDoItem(fItemFocado), palette());
  }
}

bool TMulfig::EhSeparador(int item) const {
  return item >= 0 && item < static_cast<int>(fLista.size()) && fLista[static_cast<size_t>(item)] == "-";
}

QString TMulfig::NomeDoItem(int item) const {
  const auto i = static_cast<size_t>(item);
  if (item < 0 || i >= fLista.size()) return {};
  if (i < fNomesAcessiveis.size() && !fNomesAcessiveis[i].empty()) return FromLatin1(fNomesAcessiveis[i]);
  return FromLatin1(fLista[i]);
}

void TMulfig::EscolheItem(int item) {
  if (item < 0 || item >= static_cast<int>(fLista.size()) || EhSeparador(item) || !isEnabled()) return;
  const QPointF meio = QRectF(RetanguloDoItem(item)).center();
  QMouseEvent press(QEvent::MouseButtonPress, meio, mapToGlobal(meio), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  MouseAbaixo(&press);
  QMouseEvent release(QEvent::MouseButtonRelease, meio, mapToGlobal(meio), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  mouseReleaseEvent(&release);
}

// The next item that is no separator, `passo` items on; the focus stays
// where it is at either end.
void TMulfig::MoveFoco(int passo) {
  const int count = static_cast<int>(fLista.size());
  for (int i = fItemFocado + passo; i >= 0 && i < count; i += passo)
    if (!EhSeparador(i)) {
      fItemFocado = i;
      break;
    }
  update();
  NotifyFocusedItem(this, fItemFocado);
}

void TMulfig::keyPressEvent(QKeyEvent* event) {
  const int k = event->key();
  if (event->modifiers() & ~Qt::KeypadModifier) return QWidget::keyPressEvent(event);
  switch (k) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      MoveFoco(-1);
      return;
    case Qt::Key_Right:
    case Qt::Key_Down:
      MoveFoco(1);
      return;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EscolheItem(fItemFocado);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TMulfig::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  const int count = static_cast<int>(fLista.size());
  if (fItemFocado < 0 || fItemFocado >= count || EhSeparador(fItemFocado)) {
    fItemFocado = fTipo == 0 && fValor >= 0 && fValor < count && !EhSeparador(fValor) ? fValor : -1;
    if (fItemFocado < 0) MoveFoco(1);
  }
  update();
}

void TMulfig::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void TMulfig::MostraDica(int item) {
  if (item >= 0 && item < static_cast<int>(fLista.size()) && fLista[static_cast<size_t>(item)] != "-")
    QToolTip::showText(mapToGlobal(RetanguloDoItem(item).bottomLeft()), FromLatin1(fLista[static_cast<size_t>(item)]),
                       this);
  else
    QToolTip::hideText();
}

void TMulfig::MouseAbaixo(QMouseEvent* event) {
  const int x = event->position().toPoint().x(), y = event->position().toPoint().y();
  auto ordinario = [&] {
    if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), x, y);
  };
  const int item = ItemEm(x, y);
  if (item < 0) {
    ordinario();
    return;
  }
  bool ok = true;
  int novo = item;
  if (!fSemEvento && OnAntesSeleciona) {
    OnAntesSeleciona(this, ok, novo);
    if (!ok) return;
  }
  fValor = novo;
  if (fMostraHints) {
    fUltimoPassa = -100;
    QToolTip::hideText();
  }
  if (fTipo == 0) {
    PintaAgora(Modo::PintaTodos, fValor);
  } else if (fTipo == 1) {
    fPressionando = true;
    PintaAgora(Modo::PintaUm, fValor);
    return;
  }
  if (!fSemEvento && OnDepoisSeleciona) OnDepoisSeleciona(this);
  ordinario();
}

void TMulfig::mousePressEvent(QMouseEvent* event) { MouseAbaixo(event); }

void TMulfig::mouseDoubleClickEvent(QMouseEvent* event) {
  if (OnDblClick) OnDblClick(this);
  MouseAbaixo(event);
}

void TMulfig::mouseMoveEvent(QMouseEvent* event) {
  const int x = event->position().toPoint().x(), y = event->position().toPoint().y();
  if (fMostraHints && (fTipo == 0 || (fTipo == 1 && !fPressionando))) {
    const int item = ItemEm(x, y);
    if (item != fUltimoPassa) MostraDica(item);
    fUltimoPassa = item;
  }
  if (fPressionando) {
    fPressionando = ItemEm(x, y) == fValor;
    PintaAgora(Modo::PintaUm, fValor);
    fPressionando = true;
  } else if (fW98) {
    PintaAgora(Modo::PintaPassa, ItemEm(x, y));
  }
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), x, y);
}

void TMulfig::mouseReleaseEvent(QMouseEvent* event) {
  if (fTipo == 0) return;
  const int x = event->position().toPoint().x(), y = event->position().toPoint().y();
  if (fTipo == 1 && fPressionando) {
    fPressionando = ItemEm(x, y) == fValor;
    if (fPressionando && !fSemEvento && OnDepoisSeleciona) OnDepoisSeleciona(this);
    fPressionando = false;
    PintaAgora(Modo::PintaUm, fValor);
    fValor = -1;
  }
  if (event->button() == Qt::LeftButton && rect().contains(x, y) && OnClick) OnClick(this);
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), x, y);
}

void TMulfig::enterEvent(QEnterEvent* event) {
  if (fMostraHints) {
    const QPoint p = event->position().toPoint();
    fUltimoPassa = ItemEm(p.x(), p.y());
    MostraDica(fUltimoPassa);
  }
}

void TMulfig::leaveEvent(QEvent*) {
  if (fMostraHints) QToolTip::hideText();
  PintaAgora(Modo::PintaPassa, -1);
}
