#include "TPaletaCores.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "ColorAdjust.h"

TPaletaCores::TPaletaCores(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  resize(151, 205);
  // Run 1 along the first row: the greys.
  for (int i = 0; i < 6; ++i) fCelulas.push_back({i, 0, RGBColor(51 * i, 51 * i, 51 * i), true});
  // Run 2 finishes the row: the pure colours, as they are.
  const TColor puras[] = {RGBColor(255, 0, 0),   RGBColor(255, 255, 0), RGBColor(0, 255, 0),
                          RGBColor(0, 255, 255), RGBColor(0, 0, 255),   RGBColor(255, 0, 255)};
  for (int i = 0; i < 6; ++i) fCelulas.push_back({6 + i, 0, puras[i], false});
  // Run 3 down the columns below: 6 x 6 x 6 steps of 51.
  for (int k = 0; k < 216; ++k) {
    const int r = k / 36, g = (k / 6) % 6, b = k % 6;
    fCelulas.push_back({k / (kLinhas - 1), 1 + k % (kLinhas - 1), RGBColor(51 * r, 51 * g, 51 * b), true});
  }
}

void TPaletaCores::setAjuste(int saturacao, int luminosidade) {
  fSaturacao = saturacao;
  fLuminosidade = luminosidade;
  update();
}

int TPaletaCores::NumeroDeCelulas() const { return static_cast<int>(fCelulas.size()); }

TColor TPaletaCores::CorDaCelula(int indice) const {
  const Celula& c = fCelulas.at(static_cast<size_t>(indice));
  return c.ajusta ? AdjustColor(c.base, fSaturacao, fLuminosidade) : PaletteRelative(c.base);
}

QRect TPaletaCores::RetanguloDaCelula(int indice) const {
  const Celula& c = fCelulas.at(static_cast<size_t>(indice));
  const double w = width() / double(kColunas), h = height() / double(kLinhas);
  const int x1 = static_cast<int>(std::nearbyint(c.coluna * w)), y1 = static_cast<int>(std::nearbyint(c.linha * h));
  const int x2 = static_cast<int>(std::nearbyint((c.coluna + 1) * w));
  const int y2 = static_cast<int>(std::nearbyint((c.linha + 1) * h));
  return QRect(x1, y1, x2 - x1, y2 - y1);
}

long long TPaletaCores::CorEm(QPoint p) const {
  for (int i = 0; i < NumeroDeCelulas(); ++i)
    if (RetanguloDaCelula(i).contains(p)) return CorDaCelula(i);
  return -1;
}

void TPaletaCores::paintEvent(QPaintEvent*) {
  QPainter p(this);
  for (int i = 0; i < NumeroDeCelulas(); ++i) p.fillRect(RetanguloDaCelula(i), WinToQColor(CorDaCelula(i)));
}

void TPaletaCores::mousePressEvent(QMouseEvent* event) {
  const long long cor = CorEm(event->position().toPoint());
  if (cor >= 0 && OnCorClicada) OnCorClicada(static_cast<TColor>(cor));
}

void TPaletaCores::mouseMoveEvent(QMouseEvent* event) {
  const long long cor = CorEm(event->position().toPoint());
  if (cor >= 0 && OnCorSobMouse) OnCorSobMouse(static_cast<TColor>(cor));
}
