#include "TAtlEdit.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStandardPaths>

#include "ControlText.h"
#include "IniWrite.h"
#include "common/IniFile.h"
#include "common/Latin1.h"
#include "common/ProgramFolder.h"

TAtlEdit::TAtlEdit(QWidget* parent) : QLineEdit(parent) {}

TAtlEdit::~TAtlEdit() {
  if (fIniAutoSave) SalvaINI();
}

void TAtlEdit::setCtl3D(bool v) {
  fCtl3D = v;
  setFrame(v);
  update();
}

std::string TAtlEdit::CaminhoIni() const {
  if (Latin1Upper(fIniFile).find(".INI") == std::string::npos) return {};
  if (Trim(fIniCampo).empty() || Trim(fIniVariavel).empty()) return {};
  std::string path = fIniFile;
  if (path.rfind("%APP%", 0) == 0) {
    path = ProgramFolder() + path.substr(5);
  } else if (path.rfind("%WINDIR%", 0) == 0) {
    // The system-wide settings folder of a Windows install has no place
    // here; the user's configuration folder takes its role.
    path = ToLatin1(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) + "/" + path.substr(8);
  } else if (path.find('/') == std::string::npos) {
    path = ProgramFolder() + path;
  }
  return path;
}

namespace {
// Keys beginning with "*" keep their text with every byte inverted.
std::string Inverte(std::string text) {
  for (char& c : text) c = static_cast<char>(~static_cast<unsigned char>(c));
  return text;
}
}  // namespace

void TAtlEdit::RecupINI() {
  const std::string path = CaminhoIni();
  if (path.empty()) return;
  std::string text = ReadIniText(path, fIniCampo, fIniVariavel);
  if (text.empty())
    text = fIniDefault;
  else if (fIniVariavel[0] == '*')
    text = Inverte(text);
  setText(FromLatin1(text));
}

void TAtlEdit::SalvaINI() {
  const std::string path = CaminhoIni();
  if (path.empty()) return;
  std::string text = ToLatin1(this->text());
  if (fIniVariavel[0] == '*') text = Inverte(text);
  WriteIniText(path, fIniCampo, fIniVariavel, text);
}

void TAtlEdit::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyDown) {
    OnKeyDown(this, key, event->modifiers());
    if (key == 0) return;
  }
  const QString typed = event->text();
  const bool isCharacter = !typed.isEmpty() && typed[0].isPrint();
  if (isCharacter) {
    const QChar c = typed[0];
    if (c != QLatin1Char('-') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) return;
  }
  QLineEdit::keyPressEvent(event);
}

void TAtlEdit::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (OnKeyUp) OnKeyUp(this);
}

void TAtlEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  if (fCtl3D) return;
  QPainter p(this);
  p.setPen(QColor(192, 192, 192));
  p.drawRect(0, 0, width() - 1, height() - 1);
}
