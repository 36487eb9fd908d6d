// Keeping the user's work: whether the document changed since it was
// loaded or saved, the question before changes would be lost, and the
// recent documents of the File menu.
#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>

#include <filesystem>

#include "EditorRecovery.h"
#include "LatinText.h"
#include "RecentDocuments.h"
#include "TFEditorDeObjetos1.h"
#include "common/DataPath.h"
#include "common/Dictionary.h"
#include "controls/ControlHint.h"
#include "controls/MessageBoxes.h"
#include "gl/Textures.h"

namespace {
QString ChangedCaption(const QString& caption) { return caption + (caption.endsWith(' ') ? "*" : " *"); }

std::string NamePart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

void TFEditorDeObjetos1::SetUpDocumentKeeping() {
  saveDialogFolder_ = DataPath("Vist3D/");
  recovery_ = std::make_unique<EditorRecovery>(doc);
  // A copy that cannot be written is told where the user looks, not only on stderr.
  recovery_->OnProblem = [this](const std::string& problem) {
    recoveryProblem_ = problem;
    UpdateStatusLine();
  };
  doc.OnEdit = [this] {
    SetDocumentChanged(true);
    recovery_->NoteEdit();
  };

  // Recent documents stand after Export, before the separator above Quit.
  auto* arquivo = qobject_cast<QMenu*>(Sair1->parent());
  Recentes1 = new QMenu(L1("Docu&mentos recentes"), arquivo);
  SetHint(Recentes1->menuAction(), "Recent docu&ments");
  const QList<QAction*> items = arquivo->actions();
  const qsizetype quit = items.indexOf(Sair1);
  arquivo->insertMenu(quit > 0 ? items[quit - 1] : Sair1, Recentes1);
  // Missing documents are greyed as they are when the menu opens.
  connect(arquivo, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
  FillRecentMenu();
}

void TFEditorDeObjetos1::SetDocumentChanged(bool changed) {
  if (changed == documentChanged_) return;
  documentChanged_ = changed;
  recovery_->SetChanged(changed);
  if (changed) {
    captionBeforeChange_ = windowTitle();
    setWindowTitle(ChangedCaption(captionBeforeChange_));
  } else if (windowTitle() == ChangedCaption(captionBeforeChange_)) {
    setWindowTitle(captionBeforeChange_);
  }
}

bool TFEditorDeObjetos1::MayDiscardDocument() {
  if (!documentChanged_) return true;
  const std::string name = doc.fileName.empty() ? "" : " " + NamePart(doc.fileName);
  const auto answer = AskSaveChanges(Choose("O documento" + name + " foi alterado. Salvar as altera\xE7\xF5""es?",
                                            "The document" + name + " has changed. Save the changes?"));
  if (answer == MessageBoxes::SaveAnswer::Discard) return true;
  if (answer == MessageBoxes::SaveAnswer::Cancel) return false;
  Salvar1Click();
  // A cancelled Save as, a failed write or an export leaves it changed.
  return !documentChanged_;
}

void TFEditorDeObjetos1::closeEvent(QCloseEvent* event) {
  if (MayDiscardDocument()) {
    recovery_->Remove();  // saved or discarded: nothing is left to recover
    event->accept();
  } else {
    event->ignore();
  }
}

void TFEditorDeObjetos1::OpenRecent(const std::string& path) {
  if (!MayDiscardDocument()) return;
  ClearTextureCache();
  LoadDocument(path);
}

void TFEditorDeObjetos1::KeepAsRecent(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec).lexically_normal();
  recent_.Add(ec ? path : full.string());
  FillRecentMenu();
}

void TFEditorDeObjetos1::FillRecentMenu() {
  if (!Recentes1) return;
  Recentes1->clear();
  const std::vector<std::string> paths = recent_.Load();
  int number = 0;
  for (const std::string& path : paths) {
    QString shown = QFile::decodeName(QByteArray::fromStdString(path));
    shown.replace('&', "&&");
    QAction* item = Recentes1->addAction(QString("&%1 %2").arg(++number).arg(shown));
    std::error_code ec;
    item->setEnabled(std::filesystem::is_regular_file(path, ec));
    connect(item, &QAction::triggered, this, [this, path] { OpenRecent(path); });
  }
  if (paths.empty()) Recentes1->addAction(L1(Choose("(nenhum)", "(none)").c_str()))->setEnabled(false);
}
