#pragma once
#include <QString>

#include <functional>

class QFileDialog;

// Runs a prepared file dialog: the chosen file, or an empty text when the
// user cancelled. Tests install their own answer instead of the dialog.
using FileDialogAnswer = std::function<QString(QFileDialog& dialog)>;

// For the whole process; an empty function puts the real dialog back.
void SetFileDialogAnswer(FileDialogAnswer answer);
QString RunFileDialog(QFileDialog& dialog);
