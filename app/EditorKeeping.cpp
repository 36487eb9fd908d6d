// Keeping the user's work: whether the document changed since it was
// loaded or saved, the question before changes would be lost, and the
// recent documents of the File menu.
#include <QAction>
#include <QCloseEvent>
#include <QMenu>

#include "DocumentKeeping.h"
#include "EditorRecovery.h"
#include "TFEditorDeObjetos1.h"
#include "common/DataPath.h"
#include "common/Dictionary.h"
#include "controls/ControlHint.h"
#include "controls/MessageBoxes.h"
#include "gl/Textures.h"

namespace {
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
  keeping_ = std::make_unique<DocumentKeeping>(*this);
  keeping_->OnOpenRecent = [this](const std::string& path) { OpenRecent(path); };
  auto* arquivo = qobject_cast<QMenu*>(Sair1->parent());
  const QList<QAction*> items = arquivo->actions();
  const qsizetype quit = items.indexOf(Sair1);
  keeping_->AddRecentMenu(*arquivo, quit > 0 ? items[quit - 1] : Sair1);
}

bool TFEditorDeObjetos1::DocumentChanged() const { return keeping_ && keeping_->Changed(); }

void TFEditorDeObjetos1::SetDocumentChanged(bool changed) {
  if (keeping_ && keeping_->SetChanged(changed)) recovery_->SetChanged(changed);
}

bool TFEditorDeObjetos1::MayDiscardDocument() {
  if (!DocumentChanged()) return true;
  const std::string name = doc.fileName.empty() ? "" : " " + NamePart(doc.fileName);
  const auto answer = AskSaveChanges(Choose("O documento" + name + " foi alterado. Salvar as altera\xE7\365es?",
                                            "The document" + name + " has changed. Save the changes?"));
  if (answer == MessageBoxes::SaveAnswer::Discard) return true;
  if (answer == MessageBoxes::SaveAnswer::Cancel) return false;
  Salvar1Click();
  // A cancelled Save as, a failed write or an export leaves it changed.
  return !DocumentChanged();
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

void TFEditorDeObjetos1::KeepAsRecent(const std::string& path) { keeping_->KeepAsRecent(path); }
