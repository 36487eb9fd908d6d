#pragma once
#include <QImage>
#include <QObject>
#include <string>
#include <vector>

#include "WinColor.h"

// A colour chooser: Execute shows the modal colour dialog with Color and,
// on OK, leaves the chosen colour in Color. One dialog at a time.
class TCorSeleciona : public QObject {
  Q_OBJECT
 public:
  enum TCorDialogOption { cdFullOpen = 1, cdPreventFullOpen = 2, cdShowHelp = 4, cdSolidColor = 8, cdAnyColor = 16 };

  explicit TCorSeleciona(QObject* parent = nullptr);

  TColor Color() const { return fColor; }
  void setColor(TColor v) { fColor = v; }
  int Options() const { return fOptions; }
  void setOptions(int v) { fOptions = v; }
  const std::vector<std::string>& CustomColors() const { return fCustomColors; }
  void setCustomColors(const std::vector<std::string>& v) { fCustomColors = v; }
  int Tipo() const { return fTipo; }
  void setTipo(int v) { fTipo = v; }
  int Padrao() const { return fPadrao; }
  void setPadrao(int v) { fPadrao = v; }
  QImage Textura() const { return fTextura; }
  void setTextura(const QImage& v) { fTextura = v; }

  // False at once when a colour dialog is already open.
  bool Execute();

 private:
  TColor fColor = 0;
  int fOptions = 0;
  std::vector<std::string> fCustomColors;
  int fTipo = 0;
  int fPadrao = 0;
  QImage fTextura;
};
