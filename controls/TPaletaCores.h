#pragma once
#include <QWidget>
#include <functional>

#include "WinColor.h"

// The colour dialog's palette: 12 x 19 cells holding six greys, six
// saturated colours and the 216 web-safe colours, the greys and the web
// colours tuned by the saturation and lightness sliders.
class TPaletaCores : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kColunas = 12;
  static constexpr int kLinhas = 19;

  explicit TPaletaCores(QWidget* parent = nullptr);

  void setAjuste(int saturacao, int luminosidade);
  // The colour (palette-relative) of the cell holding a point, or -1.
  long long CorEm(QPoint p) const;
  // The colour and rectangle of cell `indice` in the order it was laid out.
  TColor CorDaCelula(int indice) const;
  QRect RetanguloDaCelula(int indice) const;
  int NumeroDeCelulas() const;

  std::function<void(TColor)> OnCorClicada;
  std::function<void(TColor)> OnCorSobMouse;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  struct Celula {
    int coluna, linha;
    TColor base;
    bool ajusta;
  };
  std::vector<Celula> fCelulas;
  int fSaturacao = 30;
  int fLuminosidade = 55;
};
