#pragma once
#include <QLineEdit>
#include <functional>
#include <string>

#include "ControlEvents.h"

// The text box of TZSpinEdit: takes only "-", digits and Backspace, keeps
// its text in an INI file when asked to, and draws a flat light-grey frame
// when not 3-D.
class TAtlEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TAtlEdit(QWidget* parent = nullptr);
  // With IniAutoSave the text goes back to the INI file.
  ~TAtlEdit() override;

  bool Ctl3D() const { return fCtl3D; }
  void setCtl3D(bool v);
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

  // The INI file in use, or empty when the settings do not name one.
  std::string CaminhoIni() const;
  void RecupINI();
  void SalvaINI();

  // Key down (Key may be cleared by the handler) and key up in the box.
  TKeyEvent OnKeyDown;
  TNotifyEvent OnKeyUp;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool fCtl3D = true;
  std::string fIniFile;
  std::string fIniCampo = "CAMPOS";
  std::string fIniVariavel;
  std::string fIniDefault;
  bool fIniAutoSave = false;
  bool fIniAutoload = false;
};
