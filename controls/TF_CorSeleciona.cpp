#include "TF_CorSeleciona.h"

#include <QColorDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>

#include "ColorAdjust.h"
#include "ControlHint.h"
#include "ControlText.h"
#include "TPaletaCores.h"

namespace {
TF_CorSeleciona* aberto = nullptr;

template <typename W>
W* Com(W* widget, const char* hint) {
  SetHint(widget, hint);
  return widget;
}

QLabel* Rotulo(QWidget* parent, const char* texto, const char* hint, int x, int y) {
  auto* label = Com(new QLabel(FromLatin1(texto), parent), hint);
  label->move(x, y);
  label->adjustSize();
  return label;
}

QSlider* Regua(QWidget* parent, int x, int y, int valor) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setRange(0, 100);
  slider->setValue(valor);
  slider->setTickInterval(5);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setGeometry(x, y, 160, 24);
  return slider;
}
}  // namespace

TF_CorSeleciona* TF_CorSeleciona::Aberto() { return aberto; }
void TF_CorSeleciona::setAberto(TF_CorSeleciona* dialog) { aberto = dialog; }

TF_CorSeleciona::TF_CorSeleciona(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Cor"));
  SetHint(this, "Color");
  setFont(QFont(QStringLiteral("Arial"), 8));
  setFixedSize(355, 318);

  fScroll = new QScrollArea(this);
  fScroll->setGeometry(8, 8, 157, 211);
  fPaleta = new TPaletaCores;
  fPaleta->setFixedSize(151, 205);
  fScroll->setWidget(fPaleta);

  Com(Rotulo(this, "Satura\xE7\xE3o", "Saturation", 8, 224), "Saturation");
  fSat1 = Regua(this, 8, 238, 30);
  Rotulo(this, "Luminosidade", "Luminosity", 8, 264);
  fLum1 = Regua(this, 8, 278, 55);

  Rotulo(this, "Cor: ", "Color:", 180, 12)->resize(34, 16);
  fLCor1 = new QLineEdit(this);
  fLCor1->setGeometry(214, 9, 90, 18);
  fLCor1->setFrame(false);
  QPalette face = fLCor1->palette();
  face.setColor(QPalette::Base, WinToQColor(clBtnFace));
  fLCor1->setPalette(face);

  fPCor = new QFrame(this);
  fPCor->setGeometry(180, 34, 47, 43);
  fPCor->setFrameStyle(QFrame::Box | QFrame::Plain);
  fPCor->setAutoFillBackground(true);

  fBAvancado = Com(new QPushButton(FromLatin1("Avan\xE7"
                                              "ado..."),
                                   this),
                   "Advanced...");
  fBAvancado->setGeometry(236, 42, 110, 26);

  fGrupo = Com(new QGroupBox(QStringLiteral(" Cores do windows "), this), " Windows colors ");
  fGrupo->setGeometry(180, 86, 166, 128);
  const char* nomes[5][2] = {{"Janela", "Window"},
                             {"Face do bot\xE3o", "Button face"},
                             {"Sombra (bot\xE3o)", "Button shadow"},
                             {"Luz (bot\xE3o)", "Button HighLight"},
                             {"Texto", "Text"}};
  for (int i = 0; i < 5; ++i) {
    fRadios[i] = Com(new QRadioButton(FromLatin1(nomes[i][0]), fGrupo), nomes[i][1]);
    fRadios[i]->setGeometry(10, 18 + 21 * i, 150, 20);
    const TColor cor = kCoresDoSistema[i];
    connect(fRadios[i], &QRadioButton::clicked, this, [this, cor] { setCorAtual(cor); });
  }

  fLMensagem = new QLabel(this);
  fLMensagem->setGeometry(180, 220, 166, 18);

  fBOk = new QPushButton(QStringLiteral("&OK"), this);
  fBOk->setGeometry(180, 282, 78, 26);
  fBOk->setDefault(true);
  fBCancelar = Com(new QPushButton(QStringLiteral("&Cancelar"), this), "Cancel");
  fBCancelar->setGeometry(268, 282, 78, 26);

  fPaleta->OnCorClicada = [this](TColor c) {
    fLMensagem->setText(Hex6(c));
    setCorAtual(c);
    LimpaRadios();
  };
  fPaleta->OnCorSobMouse = [this](TColor c) { fLMensagem->setText(Hex6(c)); };
  auto ajusta = [this] { fPaleta->setAjuste(fSat1->value(), fLum1->value()); };
  connect(fSat1, &QSlider::valueChanged, this, ajusta);
  connect(fLum1, &QSlider::valueChanged, this, ajusta);
  connect(fLCor1, &QLineEdit::textChanged, this, &TF_CorSeleciona::CorDigitada);
  connect(fBAvancado, &QPushButton::clicked, this, &TF_CorSeleciona::Avancado);
  connect(fBOk, &QPushButton::clicked, this, [this] {
    fOK = true;
    accept();
  });
  connect(fBCancelar, &QPushButton::clicked, this, &QDialog::reject);
  setCorAtual(0);
}

TF_CorSeleciona::~TF_CorSeleciona() {
  if (aberto == this) aberto = nullptr;
}

// Red, green, blue: two hexadecimal digits each.
QString TF_CorSeleciona::Hex6(TColor c) {
  return QStringLiteral("%1%2%3")
      .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
      .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
      .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
      .toUpper();
}

void TF_CorSeleciona::setCorAtual(TColor c) {
  fCor = c;
  QPalette swatch = fPCor->palette();
  swatch.setColor(QPalette::Window, WinToQColor(c));
  fPCor->setPalette(swatch);
  fEscrevendo = true;
  if ((c >> 24) != 2)
    fLCor1->setText(QStringLiteral("%1").arg(c, 8, 16, QLatin1Char('0')).toUpper());
  else
    fLCor1->setText(QStringLiteral("%1").arg(c - 0x2000000u, 6, 16, QLatin1Char('0')).toUpper());
  fEscrevendo = false;
}

void TF_CorSeleciona::MarcaCorDoSistema(TColor c) {
  for (int i = 0; i < 5; ++i)
    if (kCoresDoSistema[i] == c) fRadios[i]->setChecked(true);
}

QRadioButton* TF_CorSeleciona::RadioMarcado() const {
  for (QRadioButton* r : fRadios)
    if (r->isChecked()) return r;
  return nullptr;
}

void TF_CorSeleciona::LimpaRadios() {
  for (QRadioButton* r : fRadios) {
    r->setAutoExclusive(false);
    r->setChecked(false);
    r->setAutoExclusive(true);
  }
}

void TF_CorSeleciona::CorDigitada(const QString& text) {
  if (fEscrevendo) return;
  bool ok = false;
  TColor valor = text.trimmed().toUInt(&ok, 16);
  if (!ok) valor = 0;
  // Six digits are a colour of the palette; a system colour is kept as
  // typed rather than pushed out of its range.
  if (!IsSystemColor(valor) && static_cast<int32_t>(valor) <= 0x2000000) valor += 0x2000000u;
  fCor = valor;
  QPalette swatch = fPCor->palette();
  swatch.setColor(QPalette::Window, WinToQColor(valor));
  fPCor->setPalette(swatch);
}

void TF_CorSeleciona::Avancado() {
  QColorDialog::setCustomColor(0, WinToQColor(clBtnFace));
  QColorDialog::setCustomColor(1, WinToQColor(clWindow));
  QColorDialog dialog(WinToQColor(fCor), this);
  if (dialog.exec() != QDialog::Accepted) return;
  setCorAtual(PaletteRelative(ColorToWin(dialog.selectedColor())));
  LimpaRadios();
}
