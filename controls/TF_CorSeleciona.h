#pragma once
#include <QDialog>

#include "WinColor.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class TPaletaCores;

// The colour dialog behind TCorSeleciona: a tunable palette, five named
// system colours, a hexadecimal field and the standard colour dialog.
class TF_CorSeleciona : public QDialog {
  Q_OBJECT
 public:
  explicit TF_CorSeleciona(QWidget* parent = nullptr);
  ~TF_CorSeleciona() override;

  // The one dialog open in the process through TCorSeleciona, or nullptr.
  static TF_CorSeleciona* Aberto();
  static void setAberto(TF_CorSeleciona* dialog);

  TColor CorAtual() const { return fCor; }
  // Every path that changes the colour comes here: swatch and field follow.
  void setCorAtual(TColor c);
  // Checks the radio button of a named system colour (none for others).
  void MarcaCorDoSistema(TColor c);
  bool OK() const { return fOK; }

  TPaletaCores* Paleta() const { return fPaleta; }
  QFrame* PCor() const { return fPCor; }
  QLineEdit* LCor1() const { return fLCor1; }
  QLabel* LMensagem() const { return fLMensagem; }
  QSlider* Sat1() const { return fSat1; }
  QSlider* Lum1() const { return fLum1; }
  QRadioButton* RCorWindow() const { return fRadios[0]; }
  QRadioButton* RCorBtnFace() const { return fRadios[1]; }
  QRadioButton* RCorBtnShadow() const { return fRadios[2]; }
  QRadioButton* RCorBtnHighLight() const { return fRadios[3]; }
  QRadioButton* RCorWindowText() const { return fRadios[4]; }
  QPushButton* BOk() const { return fBOk; }
  QPushButton* BCancelar() const { return fBCancelar; }
  QPushButton* BAvancado() const { return fBAvancado; }
  // The radio button checked, or nullptr.
  QRadioButton* RadioMarcado() const;

 private:
  void LimpaRadios();
  void CorDigitada(const QString& text);
  void Avancado();
  static QString Hex6(TColor c);

  TColor fCor = 0;
  bool fOK = false;
  bool fEscrevendo = false;  // the dialog itself writes LCor1
  TPaletaCores* fPaleta;
  QScrollArea* fScroll;
  QFrame* fPCor;
  QLineEdit* fLCor1;
  QLabel* fLMensagem;
  QSlider* fSat1;
  QSlider* fLum1;
  QGroupBox* fGrupo;
  QRadioButton* fRadios[5];
  QPushButton* fBOk;
  QPushButton* fBCancelar;
  QPushButton* fBAvancado;
};

// The five system colours the dialog names, in radio-button order.
inline constexpr TColor kCoresDoSistema[5] = {clWindow, clBtnFace, clBtnShadow, clBtnHighlight, clWindowText};
