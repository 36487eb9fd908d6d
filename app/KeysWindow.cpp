#include "KeysWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include "EditorCommands.h"
#include "LatinText.h"
#include "common/Dictionary.h"

namespace {
const KeyGroup kGroups[] = {KeyGroup::Add,  KeyGroup::Select, KeyGroup::Edit,
                            KeyGroup::View, KeyGroup::Files,  KeyGroup::BlockMode};

QString Escaped(const char* latin1) { return L1(latin1).toHtmlEscaped(); }
}  // namespace

KeysWindow::KeysWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("KeysWindow");
  auto* column = new QVBoxLayout(this);
  list_ = new QTextBrowser(this);
  column->addWidget(list_);
  resize(640, 600);
  Fill();
}

void KeysWindow::Fill() {
  const bool english = HasDictionary();
  setWindowTitle(english ? "Keys and mouse" : "Teclas e mouse");
  QString html = "<table cellspacing=0 cellpadding=3>";
  for (const KeyGroup g : kGroups) {
    html += "<tr><td colspan=2><br><b>" + L1(KeyGroupTitle(g, english)).toHtmlEscaped() + "</b></td></tr>";
    for (const EditorCommand& c : EditorCommands()) {
      // Commands without a key are reached through the menu and the strip.
      if (c.group != g || !c.keysPt) continue;
      html += "<tr><td><b>" + Escaped(english ? c.keysEn : c.keysPt) + "</b></td><td>" +
              Escaped(english ? c.en : c.pt) + "</td></tr>";
    }
  }
  list_->setHtml(html + "</table>");
}
