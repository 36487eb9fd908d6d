#include "UndoHistoryDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "CommandReports.h"
#include "EditorCommands.h"
#include "LatinText.h"
#include "TFEditorDeObjetos1.h"
#include "common/Dictionary.h"

UndoHistoryDialog::UndoHistoryDialog(const std::vector<StepName>& latestFirst, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
  setObjectName("UndoHistory");
  setWindowTitle(L1(Choose("Hist\xF3rico", "History")));
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(L1(Choose("Voltar a antes do passo:", "Go back to before the step:")), this);
  caption->setBuddy(list_);
  layout->addWidget(caption);
  int number = 1;
  for (const StepName name : latestFirst)
    list_->addItem(QString::number(number++) + ". " + L1(Choose(StepNamePt(name), StepNameEn(name))));
  if (list_->count() > 0) list_->setCurrentRow(0);
  list_->setAccessibleName(L1(Choose("Passos que podem ser desfeitos", "Steps that can be undone")));
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(L1(Choose("Voltar", "Go back")), QDialogButtonBox::AcceptRole);
  buttons->addButton(L1(Choose("Cancelar", "Cancel")), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
}

int UndoHistoryDialog::StepsBack() const {
  const int row = list_->currentRow();
  return row < 0 ? 0 : row + 1;
}

void AskUndoHistory(TFEditorDeObjetos1& w, CommandCall& call) {
  const std::vector<StepName> names = w.Document().UndoStepNames();
  if (names.empty()) {
    call.report = NothingToReport(false);
    return;
  }
  UndoHistoryDialog dialog(names, &w);
  if (dialog.exec() != QDialog::Accepted) return;
  int undone = 0;
  for (const int back = dialog.StepsBack(); undone < back && w.Document().Undo();) ++undone;
  call.changed = undone > 0;
  if (call.changed) call.report = UndoneReport(w.Document().LastStepName(), false);
}
