// The main menu, and the File menu's handlers forwarding to the document files.
#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <cmath>

#include "CommandRunner.h"
#include "DocumentFiles.h"
#include "LatinText.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "common/Dictionary.h"
#include "common/NumberText.h"
#include "common/TextToNumber.h"
#include "controls/MessageBoxes.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "controls/TZBox.h"
#include "controls/WaitIndicator.h"
#include "gl/GLView.h"
#include "gl/ViewContext.h"
#include "output/DocumentSave.h"

// The files: each handler forwards to the part that keeps them.
void TFEditorDeObjetos1::LoadDocument(const std::string& path) { files_->LoadDocument(path); }
bool TFEditorDeObjetos1::SaveDocument(const std::string& path) { return files_->SaveDocument(path); }
void TFEditorDeObjetos1::NewDocument() { files_->NewDocument(); }
void TFEditorDeObjetos1::OpenDocument() { files_->OpenDocument(); }
void TFEditorDeObjetos1::SaveCommand() { files_->SaveCommand(); }
void TFEditorDeObjetos1::SaveAsCommand() { files_->SaveAsCommand(); }
void TFEditorDeObjetos1::ExportCommand() { files_->ExportCommand(); }
void TFEditorDeObjetos1::OpenRecent(const std::string& path) { files_->OpenRecent(path); }
void TFEditorDeObjetos1::KeepAsRecent(const std::string& path) { files_->KeepAsRecent(path); }
void TFEditorDeObjetos1::OfferRecoveredDocuments() { files_->OfferRecoveredDocuments(); }

void TFEditorDeObjetos1::closeEvent(QCloseEvent* event) {
  if (files_->MayClose())
    event->accept();
  else
    event->ignore();
}

void TFEditorDeObjetos1::SetUpDocumentFiles() {
  DocumentFiles::Hooks hooks;
  hooks.clearSelection = [this] { ClearSelection(); };
  hooks.showDocument = [this] {
    Redraw();
    RebuildElementList();
  };
  hooks.saveScene = [this](const std::string& path) {
    // The picture and the export read the frame the save draws, so that
    // frame is drawn now rather than when the window next composes.
    const auto requestFrame = scene.requestFrame;
    scene.requestFrame = [this] { RenderNow(); };
    const Outcome r = ::SaveDocument(scene, path, doc.fileName);
    scene.requestFrame = requestFrame;
    Tela1->update();
    return r;
  };
  hooks.showWritten = [this](const std::string& path) { ShowWritten(path); };
  hooks.save = [this] { Salvar1Click(); };
  hooks.saveAs = [this] { Salvarcomo1Click(); };
  hooks.problemChanged = [this] { UpdateStatusLine(); };
  files_ = std::make_unique<DocumentFiles>(doc, *this, std::move(hooks));
  // Recent documents stand after Export, before the separator above Quit.
  auto* arquivo = qobject_cast<QMenu*>(Sair1->parent());
  const QList<QAction*> items = arquivo->actions();
  const qsizetype quit = items.indexOf(Sair1);
  files_->AddRecentMenu(*arquivo, quit > 0 ? items[quit - 1] : Sair1);
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
  SetUpDocumentFiles();
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
