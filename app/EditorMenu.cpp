// Document commands and the main menu.
#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <cmath>

#include "CommandRunner.h"
#include "DocumentCaption.h"
#include "DocumentMessages.h"
#include "EditorRecovery.h"
#include "FileNameDialogs.h"
#include "LatinText.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "common/DataPath.h"
#include "common/Dictionary.h"
#include "common/FileIdentity.h"
#include "common/Latin1.h"
#include "common/NumberText.h"
#include "common/PathParts.h"
#include "common/ProgramFolder.h"
#include "common/TextToNumber.h"
#include "controls/MessageBoxes.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "controls/TZBox.h"
#include "controls/WaitIndicator.h"
#include "document/DocumentFile.h"
#include "gl/GLView.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"
#include "output/DocumentSave.h"
#include "output/OutputFormats.h"

namespace {
// Whether saving under `path` writes a document (as the save dispatch
// decides, by the extension as written; empty: the document's own name).
bool WritesDocument(const std::string& path) { return SaveFormatFor(path).writer == OutputWriter::Document; }

QStringList Patterns(const std::vector<std::string>& filters) {
  QStringList patterns;
  for (const std::string& filter : filters) patterns << QString::fromStdString(filter);
  return patterns;
}
}  // namespace

std::string TFEditorDeObjetos1::DialogFolder(const std::string& fileName) const {
  const std::string full = fileName.empty() || fileName[0] != '/' ? ProgramFolder() + fileName : fileName;
  const size_t slash = full.find_last_of('/');
  return slash == std::string::npos ? full : full.substr(0, slash + 1);
}

void TFEditorDeObjetos1::LoadDocument(const std::string& path) {
  SetDocumentChanged(false);
  doc.fileName.clear();
  recoveredFrom_.clear();
  recovery_->SetRecoveredFrom("");
  setWindowTitle(DocumentCaption(""));
  doc.elements.SetCount(0);
  // The elements are replaced: selection entries would name other elements.
  ClearSelection();
  doc.ClearUndo();
  Redraw();
  RebuildElementList();
  if (path.empty()) return;
  // Taken before reading: a change made while reading is noticed later.
  const FileIdentity identity = IdentityOf(path);
  const Outcome r = ReadDocument(path, doc.elements);
  const bool endedEarly = r.recordsRead < r.recordsDeclared;
  const bool unread = !r.ok() && r.status != Outcome::Missing;
  if (unread && !endedEarly) doc.elements.SetCount(0);
  Redraw();
  RebuildElementList();
  if (endedEarly || unread) {
    // The document is not the file: left untitled, a save cannot put an
    // empty or partial document over the file that failed to load.
    setWindowTitle(DocumentCaption(""));
    ShowWarning(endedEarly ? EarlyEndWarning(path, r) : ReadWarning(path, r));
    return;
  }
  doc.fileName = path;
  doc.fileIdentity = identity;
  setWindowTitle(DocumentCaption(path));
  if (r.ok()) KeepAsRecent(path);
}

bool TFEditorDeObjetos1::SaveDocument(const std::string& path) {
  const std::string target = path.empty() ? doc.fileName : path;
  if (target.empty()) return false;
  // A document written over the open document's file: if another program
  // changed the file since it was read (or put a link in its place), the
  // user decides; a link that appeared is replaced, never written through.
  const bool overDocument =
      WritesDocument(path) && !doc.fileName.empty() && (target == doc.fileName || SameFile(target, doc.fileName));
  bool replaceLink = false;
  if (overDocument) {
    const FileIdentity now = IdentityOf(doc.fileName);
    // A file removed since holds nothing to lose.
    if (now != doc.fileIdentity && (now.exists || now.link)) {
      switch (AskSaveOverChangedFile(ChangedOnDiskQuestion(doc.fileName))) {
        case MessageBoxes::ChangedFileAnswer::SaveAs:
          Salvarcomo1Click();
          return false;
        case MessageBoxes::ChangedFileAnswer::Cancel:
          return false;
        case MessageBoxes::ChangedFileAnswer::Overwrite:
          replaceLink = now.link;
          break;
      }
    }
  }
  // The picture and the export read the frame the save draws, so that frame
  // is drawn now rather than when the window next composes.
  const auto requestFrame = scene.requestFrame;
  scene.requestFrame = [this] { RenderNow(); };
  const Outcome r = replaceLink ? WriteDocument(doc.fileName, doc.elements, LinkRule::Replace)
                                : ::SaveDocument(scene, path, doc.fileName);
  scene.requestFrame = requestFrame;
  Tela1->update();
  if (!r.ok()) {
    // Nothing the user could go back to is lost by a save that failed.
    ShowWarning(SaveWarning(target, r));
    return false;
  }
  doc.ClearUndo();
  if (overDocument) doc.fileIdentity = IdentityOf(doc.fileName);
  ShowWritten(target);
  return true;
}

void TFEditorDeObjetos1::NewDocument() {
  if (!MayDiscardDocument()) return;
  ClearTextureCache();
  LoadDocument("");
}

void TFEditorDeObjetos1::OpenDocument() {
  if (!MayDiscardDocument()) return;
  if (openDialogFolder_.empty()) openDialogFolder_ = DataPath("Vist3D/");
  FileNameQuestion q;
  q.title = "Open";
  q.filters = Patterns(OpenFilters());
  q.defaultSuffix = DialogSuffix(DocumentFormat());
  q.folder = doc.fileName.empty() ? openDialogFolder_ : DialogFolder(doc.fileName);
  q.proposed = FileNameOf(doc.fileName);
  const FileNameAnswer a = AskFileName(q, this);
  if (!a.folder.empty()) openDialogFolder_ = a.folder;
  if (a.path.empty()) return;
  openDialogFolder_ = DialogFolder(a.path);
  ClearTextureCache();
  LoadDocument(a.path);
}

void TFEditorDeObjetos1::SaveCommand() {
  if (doc.fileName.empty()) {
    SaveAsCommand();
  } else if (SaveDocument(doc.fileName)) {
    SetDocumentChanged(false);
    KeepAsRecent(doc.fileName);
  }
}

void TFEditorDeObjetos1::SaveAsCommand() {
  FileNameQuestion q;
  q.save = true;
  q.title = "Save";
  q.filters = Patterns(SaveFilters());
  q.defaultSuffix = DialogSuffix(DocumentFormat());
  q.folder = doc.fileName.empty() ? saveDialogFolder_ : DialogFolder(doc.fileName);
  q.proposed = FileNameOf(doc.fileName.empty() ? recoveredFrom_ : doc.fileName);
  const FileNameAnswer a = AskFileName(q, this);
  if (!a.folder.empty()) saveDialogFolder_ = a.folder;
  if (a.path.empty()) return;
  const std::string chosen = a.path;
  if (!SaveDocument(chosen)) return;
  if (AsciiLower(ExtensionOf(chosen)) == DocumentFormat().extension) {
    doc.fileName = chosen;
    doc.fileIdentity = IdentityOf(chosen);
    setWindowTitle(DocumentCaption(chosen));
    SetDocumentChanged(false);
    KeepAsRecent(chosen);
  }
}

void TFEditorDeObjetos1::ExportCommand() {
  FileNameQuestion q;
  q.save = true;
  q.title = "Save";
  q.filters = Patterns(SaveFilters());
  q.filterIndex = FilterIndexOf(OutputWriter::Obj);
  const OutputFormat& obj = FormatOf(OutputWriter::Obj);
  q.defaultSuffix = DialogSuffix(obj);
  // The export goes beside the document under its name; an untitled
  // document proposes no name where the dialog was last left.
  q.folder = doc.fileName.empty() ? saveDialogFolder_ : DialogFolder(doc.fileName);
  q.proposed = doc.fileName.empty() ? std::string() : FileNameOf(ChangeExtension(doc.fileName, obj.extension));
  const FileNameAnswer a = AskFileName(q, this);
  if (!a.folder.empty()) saveDialogFolder_ = a.folder;
  if (a.path.empty()) return;
  if (SaveDocument(a.path) && a.path == doc.fileName && WritesDocument(a.path)) SetDocumentChanged(false);
}

void TFEditorDeObjetos1::Editar1Click() {
  Desfazer1->setEnabled(doc.UndoCount() > 0);
  // Like Undo, Redo is enabled as the menu opens; while it is disabled its
  // keys reach the key handler, which redoes as well.
  Refazer1->setEnabled(doc.RedoCount() > 0);
}

void TFEditorDeObjetos1::GridCommand() {
  const std::string current = FormatGeneral(doc.editStep[1]);
  const std::string entered = TZBox::InputNumber(
      Choose("Grade", "Grid"), Choose("Grade", "Grid") + " (" + Choose("Atual", "Current") + " " + current + ")", 0.1,
      5.0, 0.1, current);
  if (entered.empty()) return;
  // The box refuses what is out of range; a step no number can follow
  // would still reach every element the next key moves.
  const double step = TextToNumber(entered);
  if (!std::isfinite(step) || step <= 0) return;
  doc.editStep[1] = step;
  doc.editStep[0] = doc.editStep[2] = doc.editStep[1];
}

void TFEditorDeObjetos1::LeftLightCommand() {
  Luzesquerda1->setChecked(!Luzesquerda1->isChecked());
  RecreateContext();
  Redraw();
}

void TFEditorDeObjetos1::NormalEditionCommand() {
  ShowWaitIndicator();
  SetBlockMode(false);
  MMovimento1->setValor(0);
  MEixo1->setValor(3);
  Mulfig1->setValor(0);
  Mulfig1->repaint();
  CPerspectiva1->setDown(true);
  CSolidos1->setDown(true);
  CPerspectiva1->repaint();
  CSolidos1->repaint();
  DisarmBoxSelection();  // a B pressed before Esc no longer takes the next click
  ClearSelection();
  Redraw();
  StopWait();
  busyPending = true;
}

void TFEditorDeObjetos1::AboutCommand() {
  QMessageBox::about(this, L1(Choose("Sobre", "About")),
                     L1(Choose("Objetos 3D\nEditor de objetos 3D feitos de elementos.",
                               "Objetos 3D\nAn editor of 3D objects built from elements.")));
}

// The menu, made from the command table. Each item of the first design runs
// its handler, which forwards to the runner like every other command.
void TFEditorDeObjetos1::BuildMenu() {
  using W = TFEditorDeObjetos1;
  commands_->BuildMenus({{CommandId::New, &W::Novo1Click},
                         {CommandId::Open, &W::Abrir1Click},
                         {CommandId::Save, &W::Salvar1Click},
                         {CommandId::SaveAs, &W::Salvarcomo1Click},
                         {CommandId::Export, &W::Exportar1Click},
                         {CommandId::Quit, &W::Sair1Click},
                         {CommandId::Undo, &W::Desfazer1Click},
                         {CommandId::Redo, &W::Refazer1Click},
                         {CommandId::Copy, &W::Copiar1Click},
                         {CommandId::Paste, &W::Colar1Click},
                         {CommandId::Delete, &W::Apagar1Click},
                         {CommandId::Grid, &W::Grade1Click},
                         {CommandId::LeftLight, &W::Luzesquerda1Click},
                         {CommandId::NormalEdition, &W::Edionormal1Click},
                         {CommandId::TagName, &W::Tag1Click},
                         {CommandId::Language, &W::Idioma1Click},
                         {CommandId::About, &W::Sobre1Click}});
  const CommandRunner& c = *commands_;
  Novo1 = c.Action(CommandId::New), Abrir1 = c.Action(CommandId::Open), Salvar1 = c.Action(CommandId::Save);
  Salvarcomo1 = c.Action(CommandId::SaveAs), Exportar1 = c.Action(CommandId::Export), Sair1 = c.Action(CommandId::Quit);
  Editar1 = c.Menu(MenuPlace::Edit);
  connect(Editar1, &QMenu::aboutToShow, this, [this] { Editar1Click(); });
  Desfazer1 = c.Action(CommandId::Undo), Refazer1 = c.Action(CommandId::Redo), Copiar1 = c.Action(CommandId::Copy);
  Colar1 = c.Action(CommandId::Paste), Apagar1 = c.Action(CommandId::Delete), Grade1 = c.Action(CommandId::Grid);
  NiveisDesfazer1 = c.Action(CommandId::UndoLevels);
  Luzesquerda1 = c.Action(CommandId::LeftLight);
  Luzesquerda1->setCheckable(true);
  Luzesquerda1->setChecked(true);
  Luzesquerda1->setVisible(false);
  Edionormal1 = c.Action(CommandId::NormalEdition), Tag1 = c.Action(CommandId::TagName);
  TeclasEMouse1 = c.Action(CommandId::KeysWindow), Idioma1 = c.Action(CommandId::Language);
  Sobre1 = c.Action(CommandId::About);
  SetUpDocumentKeeping();
}

// The handlers the window's design names: each runs its command.
void TFEditorDeObjetos1::Novo1Click() { commands_->Run(CommandId::New); }
void TFEditorDeObjetos1::Abrir1Click() { commands_->Run(CommandId::Open); }
void TFEditorDeObjetos1::Salvar1Click() { commands_->Run(CommandId::Save); }
void TFEditorDeObjetos1::Salvarcomo1Click() { commands_->Run(CommandId::SaveAs); }
void TFEditorDeObjetos1::Exportar1Click() { commands_->Run(CommandId::Export); }
void TFEditorDeObjetos1::Sair1Click() { commands_->Run(CommandId::Quit); }
void TFEditorDeObjetos1::Desfazer1Click() { commands_->Run(CommandId::Undo); }
void TFEditorDeObjetos1::Refazer1Click() { commands_->Run(CommandId::Redo); }
void TFEditorDeObjetos1::Copiar1Click() { commands_->Run(CommandId::Copy); }
void TFEditorDeObjetos1::Colar1Click() { commands_->Run(CommandId::Paste); }
void TFEditorDeObjetos1::Apagar1Click() { commands_->Run(CommandId::Delete); }
void TFEditorDeObjetos1::Grade1Click() { commands_->Run(CommandId::Grid); }
void TFEditorDeObjetos1::Luzesquerda1Click() { commands_->Run(CommandId::LeftLight); }
void TFEditorDeObjetos1::Edionormal1Click() { commands_->Run(CommandId::NormalEdition); }
void TFEditorDeObjetos1::Tag1Click() { commands_->Run(CommandId::TagName); }
void TFEditorDeObjetos1::Sobre1Click() { commands_->Run(CommandId::About); }
