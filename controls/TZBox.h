#pragma once
#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The numeric input box: a prompt, an entry, "+" and "-" step buttons that
// repeat while held (first repetition after 500 ms), an on-screen keypad,
// OK and Cancel. With limits on, OK refuses a number outside them with a
// warning and the box stays open. The box cancels itself when its entry
// has not changed for PrazoCancelamento milliseconds.
class TZBox : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kPrazoPadrao = 31000;

  explicit TZBox(QWidget* parent = nullptr);

  // What the Grid command needs: the entered text on OK, `atual` when the
  // box is cancelled.
  static std::string InputNumber(const std::string& caption, const std::string& prompt, double min, double max,
                                 double step, const std::string& atual);
  // The program's shortest general number format.
  static std::string FormatoGeral(double value);

  void setCaption(const std::string& caption);
  void setPrompt(const std::string& prompt);
  void setLimites(bool ligados, double min, double max);
  void setPasso(double passo) { fPasso = passo; }
  void setTexto(const std::string& text);
  std::string Texto() const;
  int PrazoCancelamento() const { return fPrazo; }
  void setPrazoCancelamento(int ms);

  QLineEdit* Entrada() const { return fEntrada; }
  QPushButton* BotaoMais() const { return fMais; }
  QPushButton* BotaoMenos() const { return fMenos; }
  QPushButton* BotaoOK() const { return fOK; }
  QPushButton* BotaoCancelar() const { return fCancelar; }
  // The keypad key with this caption ("0".."9", ".", "Del"), or nullptr.
  QPushButton* Tecla(const QString& caption) const;
  QTimer* TimerCancelamento() const { return fCancelamento; }

 private:
  void Passo(int sinal);
  void Confirma();
  QPushButton* NovoBotao(const QString& caption);

  QLabel* fPrompt;
  QLineEdit* fEntrada;
  QPushButton* fMais;
  QPushButton* fMenos;
  QPushButton* fOK;
  QPushButton* fCancelar;
  QTimer* fCancelamento;
  bool fLimites = false;
  double fMin = 0, fMax = 0, fPasso = 1;
  int fPrazo = kPrazoPadrao;
};
