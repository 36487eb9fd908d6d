// Help that teaches: tooltips naming each key, the key list in the "?"
// menu, a hint of what the mouse does in the current mode, and what a save
// or an export wrote.
#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>
#include <cstdio>

#include "BoxSelection.h"
#include "EditorCommands.h"
#include "InterfaceLanguage.h"
#include "KeyCodes.h"
#include "LatinText.h"
#include "TFEditorDeObjetos1.h"
#include "common/Dictionary.h"
#include "controls/ControlHint.h"
#include "controls/MessageBoxes.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "document/EditSteps.h"

namespace {
// The key a button of the key row sends, as the key handler receives it.
int CodeOfCaption(const std::string& caption) {
  static const struct {
    const char* caption;
    int code;
  } kNamed[] = {{"ESC", vk::Escape},  {"UP", vk::Up}, {"DOWN", vk::Down},  {"LEFT", vk::Left},
                {"RIGHT", vk::Right}, {"+", vk::Add}, {"-", vk::Subtract}, {"Home", vk::Home}};
  for (const auto& n : kNamed)
    if (caption == n.caption) return n.code;
  if (caption.size() > 1 && caption[0] == 'F') return 111 + std::atoi(caption.c_str() + 1);
  return caption.size() == 1 ? static_cast<unsigned char>(caption[0]) : 0;
}

// "key: what it does" in the interface's language.
QString Tip(const EditorCommand& c) { return L1(Choose(c.keysPt, c.keysEn)) + ": " + L1(Choose(c.pt, c.en)); }

const EditorCommand* RowOfKey(int code) {
  const EditorCommand* c = FindKeyCommand(code, Qt::NoModifier);
  return c && c->handler != nullptr ? c : nullptr;
}

std::string SizeText(qint64 bytes) {
  char text[64];
  if (bytes < 1024)
    std::snprintf(text, sizeof text, "%lld bytes", static_cast<long long>(bytes));
  else if (bytes < 1024 * 1024)
    std::snprintf(text, sizeof text, "%.1f KB", bytes / 1024.0);
  else
    std::snprintf(text, sizeof text, "%.1f MB", bytes / (1024.0 * 1024.0));
  return text;
}
}  // namespace

void TFEditorDeObjetos1::BuildDiscoveryAids() {
  BuildExactValues();
  ModeHint1 = new QLabel(this);
  ModeHint1->setTextFormat(Qt::PlainText);
  ModeHint1->setContentsMargins(6, 1, 6, 1);
  statusBar()->addPermanentWidget(ModeHint1);
}

// Texts follow the interface's language, so they are set once it is known.
void TFEditorDeObjetos1::ArrangeDiscoveryAids() {
  PlaceExactValues();
  for (TSBM* b : keyButtons)
    if (const EditorCommand* c = RowOfKey(CodeOfCaption(b->Caption())))
      b->setToolTip(L1(b->Caption()) + ": " + L1(Choose(c->pt, c->en)));
  UpdateModeHint();
}

bool TFEditorDeObjetos1::PaletteToolTip(QEvent* event) {
  auto* help = static_cast<QHelpEvent*>(event);
  int item = -1;
  for (int i = 0; i < 4; ++i)
    if (Mulfig1->RetanguloDoItem(i).contains(help->pos())) item = i;
  QString tip;
  if (item == 0) {
    tip = L1(Choose("Cursor: clique seleciona, arrastar move (Esc volta a ele)",
                    "Cursor: a click selects, a drag moves (Esc comes back to it)"));
  } else if (item > 0) {
    if (const EditorCommand* c = RowOfKey(vk::F5 + item - 1)) tip = Tip(*c);
  }
  if (tip.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(help->globalPos(), tip, Mulfig1, Mulfig1->RetanguloDoItem(item));
  return true;
}

void TFEditorDeObjetos1::UpdateModeHint() {
  if (!ModeHint1) return;
  std::string hint;
  const std::string addTo = Choose("Shift+clique: juntar \xE0 sele\xE7\xE3o", "Shift+click: add to the selection");
  if (box_ && box_->Armed()) {
    hint = Choose("Arraste: ret\xE2ngulo de sele\xE7\xE3o \xB7 Shift: juntar",
                  "Drag: selection rectangle \xB7 Shift: add");
  } else if (Timer1 && Timer1->isActive()) {
    hint = Choose("Clique ou F9: bloco no cursor \xB7 F10: sair do modo de blocos",
                  "Click or F9: block at the cursor \xB7 F10: leave block mode");
  } else if (Mulfig1->Valor() > 0) {
    hint = Choose("Clique: adicionar \xB7 Esc: cancelar", "Click: add \xB7 Esc: cancel");
  } else {
    static const char* const kAxes[] = {"X", "Y", "Z", "XZ"};
    const int axis = MEixo1->Valor();
    const std::string a = axis >= 0 && axis <= 3 ? kAxes[axis] : "?";
    switch (MMovimento1->Valor()) {
      case kResize:
        hint = Choose("Arraste: redimensionar em ", "Drag: resize along ") + a;
        break;
      case kTurn:
        hint = Choose("Arraste: girar em ", "Drag: turn about ") + a;
        break;
      default:
        hint = Choose("Arraste: mover em ", "Drag: move along ") + a;
        break;
    }
    hint += " \xB7 " + addTo;
  }
  const QString text = L1(hint);
  if (ModeHint1->text() != text) ModeHint1->setText(text);
}

// The window's texts are set as it is built, so the other language comes
// with the next start; the choice is kept in the settings.
void TFEditorDeObjetos1::Idioma1Click() {
  const bool english = !HasDictionary();
  RememberLanguage(english ? InterfaceLanguage::English : InterfaceLanguage::Portuguese);
  ShowWarning(english ? "The editor will be in English from its next start."
                      : "O editor estar\xE1 em portugu\xEAs a partir do pr\xF3ximo in\xED"
                        "cio.");
}

void TFEditorDeObjetos1::ShowWritten(const std::string& path) {
  const QFileInfo file(PathText(path));
  const bool document = file.suffix().compare("zobj3d", Qt::CaseInsensitive) == 0 || file.suffix().isEmpty();
  const QString what = L1(document ? Choose("Salvo ", "Saved ") : Choose("Exportado ", "Exported "));
  statusBar()->showMessage(what + file.fileName() + QString::fromUtf8(" \u2014 ") + L1(SizeText(file.size())), 8000);
}
