#include "FileDialogHook.h"

#include <QFileDialog>

namespace {
FileDialogAnswer& Installed() {
  static FileDialogAnswer answer;
  return answer;
}
}  // namespace

void SetFileDialogAnswer(FileDialogAnswer answer) { Installed() = std::move(answer); }

QString RunFileDialog(QFileDialog& dialog) {
  if (Installed()) return Installed()(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}
