#pragma once
#include <QDialog>
#include <vector>

#include "document/EditStepNames.h"

class QListWidget;
class TFEditorDeObjetos1;
struct CommandCall;

// "Histórico...": the steps that can be undone, the latest first, by name;
// choosing one goes back to before it (that step and every later one
// undone, each then redone by Redo).
class UndoHistoryDialog : public QDialog {
  Q_OBJECT
 public:
  UndoHistoryDialog(const std::vector<StepName>& latestFirst, QWidget* parent);
  QListWidget* List() const { return list_; }
  // How many steps the chosen row undoes (0: none chosen).
  int StepsBack() const;

 private:
  QListWidget* list_;
};

// Shows the dialog and undoes what the user chose.
void AskUndoHistory(TFEditorDeObjetos1& window, CommandCall& call);
