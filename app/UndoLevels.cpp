#include "UndoLevels.h"

#include <QSettings>
#include <cmath>

#include "EditorCommands.h"
#include "RecentDocuments.h"
#include "TFEditorDeObjetos1.h"
#include "common/Dictionary.h"
#include "common/TextToNumber.h"
#include "controls/TZBox.h"

namespace {
const char kKey[] = "edit/undoLevels";
}

int RememberedUndoLevels() {
  const QString file = RecentDocuments::SettingsFile();
  if (!RecentDocuments::UsableFile(file)) return EditorDocument::kUndoDepth;
  bool ok = false;
  const int levels = QSettings(file, QSettings::IniFormat).value(kKey).toInt(&ok);
  // The file is the user's to edit: what no depth can be gives the default.
  return ok && levels >= 1 && levels <= EditorDocument::kMaxUndoDepth ? levels : EditorDocument::kUndoDepth;
}

void RememberUndoLevels(int levels) {
  const QString file = RecentDocuments::SettingsFile();
  if (!RecentDocuments::UsableFile(file)) return;
  QSettings(file, QSettings::IniFormat).setValue(kKey, levels);
}

void AskUndoLevels(TFEditorDeObjetos1& window, CommandCall& call) {
  const std::string current = std::to_string(window.Document().UndoDepth());
  const std::string caption = Choose("N\xEDveis de desfazer", "Undo levels");
  const std::string entered =
      TZBox::InputNumber(caption, caption + " (" + Choose("Atual", "Current") + " " + current + ")", 1,
                         EditorDocument::kMaxUndoDepth, 10, current);
  const double value = TextToNumber(entered);
  if (entered.empty() || !std::isfinite(value) || value < 1 || value > EditorDocument::kMaxUndoDepth) return;
  const int levels = static_cast<int>(std::lround(value));
  if (levels == window.Document().UndoDepth()) return;  // cancelled, or the same again
  window.Document().SetUndoDepth(levels);
  RememberUndoLevels(levels);
  call.report = caption + ": " + std::to_string(levels);
}
