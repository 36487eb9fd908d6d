#pragma once
#include <QWidget>
#include <string>

#include "ControlEvents.h"

class TAtlEdit;
class TZSpin;

// An integer entry: a text box with a spin button beside it. OnChangeUser
// means "changed with the spin button" and fires on every step; OnChange
// fires for every applied change, but only once the user has released a key
// in the text box (PermiteEvento).
class TZSpinEdit : public QWidget {
  Q_OBJECT
 public:
  using TChangeAntesEvent = std::function<void(QObject* Sender, bool& para)>;

  explicit TZSpinEdit(QWidget* parent = nullptr);

  const std::string& IniFile() const { return fIniFile; }
  void setIniFile(const std::string& v) { fIniFile = v; }
  const std::string& IniCampo() const { return fIniCampo; }
  void setIniCampo(const std::string& v) { fIniCampo = v; }
  const std::string& IniVariavel() const { return fIniVariavel; }
  void setIniVariavel(const std::string& v) { fIniVariavel = v; }
  const std::string& IniDefault() const { return fIniDefault; }
  void setIniDefault(const std::string& v) { fIniDefault = v; }
  bool IniAutoSave() const { return fIniAutoSave; }
  void setIniAutoSave(bool v) { fIniAutoSave = v; }
  bool IniAutoload() const { return fIniAutoload; }
  void setIniAutoload(bool v) { fIniAutoload = v; }
  bool PermiteEvento() const { return fPermiteEvento; }
  void setPermiteEvento(bool v) { fPermiteEvento = v; }
  int Largura() const { return fLargura; }
  void setLargura(int v);
  bool EditorEnabled() const { return fEditorEnabled; }
  void setEditorEnabled(bool v) { fEditorEnabled = v; }
  int Increment() const { return fIncrement; }
  void setIncrement(int v) { fIncrement = v; }
  int MaxValue() const { return fMaxValue; }
  void setMaxValue(int v);
  int MinValue() const { return fMinValue; }
  void setMinValue(int v);
  bool ForcaMaxMin() const { return fForcaMaxMin; }
  void setForcaMaxMin(bool v) { fForcaMaxMin = v; }
  bool UsaTeclas() const { return fUsaTeclas; }
  void setUsaTeclas(bool v) { fUsaTeclas = v; }
  std::string Text() const;
  void setText(const std::string& text);
  bool EventoLogodeCara() const { return fEventoLogodeCara; }
  void setEventoLogodeCara(bool v) { fEventoLogodeCara = v; }
  int Value() const { return fValue; }
  void setValue(int v);
  int Tempo() const;
  void setTempo(int v);
  int Passo() const;
  void setPasso(int v);
  QImage UpGlyph() const;
  void setUpGlyph(const QImage& v);
  QImage DownGlyph() const;
  void setDownGlyph(const QImage& v);
  bool Ctl3D() const;
  void setCtl3D(bool v);

  // Stops the spin button's auto-repeat.
  void ParadeRodar();
  // What a window does once it has set the properties: hands the INI
  // settings to the text box (reading the text with IniAutoload) and, with
  // EventoLogodeCara, pushes Value into the text box and the spin button.
  void Loaded();

  // One step of the spin button (OnChangeUser fires as for a click).
  void Incrementa();
  void Decrementa();

  TAtlEdit* Edit() const { return fEdit; }
  TZSpin* Spin() const { return fSpin; }

  TChangeAntesEvent OnChangeAntes;
  TNotifyEvent OnChange;
  TNotifyEvent OnChangeUser;
  TKeyEvent OnKeyDown;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  enum class Origem { Programa, Spin, Texto };
  void AplicaValor(int v, Origem origem);
  void Dispoe();
  void TextoMudou(const QString& text);
  void EscreveTexto(int v);
  void SpinMudou();

  TAtlEdit* fEdit;
  TZSpin* fSpin;
  std::string fIniFile;
  std::string fIniCampo = "CAMPOS";
  std::string fIniVariavel;
  std::string fIniDefault;
  bool fIniAutoSave = false;
  bool fIniAutoload = false;
  bool fPermiteEvento = false;
  int fLargura = 15;
  bool fEditorEnabled = false;
  int fIncrement = 0;
  int fMaxValue = 100;
  int fMinValue = 0;
  bool fForcaMaxMin = false;
  bool fUsaTeclas = true;
  bool fEventoLogodeCara = true;
  int fValue = 0;
  bool fEcoTexto = false;  // false while the control writes the text itself
  bool fEcoSpin = false;   // false while the control writes the spin value
  bool fOcupado = false;
  bool fForca = true;  // the first application happens even unchanged
};
