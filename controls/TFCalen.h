#pragma once
#include <QDialog>
#include <string>

class QCalendarWidget;
class QLabel;
class QPushButton;

// The modal date picker. DataHora is a day-based date-time (days since
// 1899-12-30, the fraction the time of day); the time part is kept. With
// PorMes the first day of the chosen month is taken.
class TFCalen : public QDialog {
  Q_OBJECT
 public:
  explicit TFCalen(QWidget* parent = nullptr);

  // DataHora on OK, -1.0 when cancelled.
  static double EscolheData(const std::string& titulo, double dataHora);

  const std::string& Titulo() const { return fTitulo; }
  void setTitulo(const std::string& v);
  bool PorMes() const { return fPorMes; }
  void setPorMes(bool v) { fPorMes = v; }
  double DataHora() const;
  void setDataHora(double v);

  QCalendarWidget* Calendario() const { return fCalendario; }
  QPushButton* BotaoOK() const { return fOK; }
  QPushButton* BotaoCancelar() const { return fCancelar; }

 private:
  std::string fTitulo;
  bool fPorMes = false;
  double fHora = 0;  // fraction of the day
  QLabel* fRotulo;
  QCalendarWidget* fCalendario;
  QPushButton* fOK;
  QPushButton* fCancelar;
};
