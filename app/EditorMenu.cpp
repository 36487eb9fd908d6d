// Document commands and the main menu.
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

#include "LatinText.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "common/DataPath.h"
#include "common/Dictionary.h"
#include "common/Latin1.h"
#include "common/NumberText.h"
#include "common/ProgramFolder.h"
#include "common/TextToNumber.h"
#include "common/Utf8Text.h"
#include "controls/FileDialogHook.h"
#include "controls/MessageBoxes.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "controls/TZBox.h"
#include "controls/WaitIndicator.h"
#include "document/DocumentFile.h"
#include "gl/DocumentSave.h"
#include "gl/GLView.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"

namespace {
std::string FileNamePart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Extension(const std::string& path) {
  const std::string name = FileNamePart(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

// Where a file dialog opens and what it preselects for `fileName`.
void PrepareDialog(QFileDialog& dialog, const std::string& folder, const std::string& fileName) {
  dialog.setDirectory(PathText(folder));
  if (!fileName.empty()) dialog.selectFile(PathText(FileNamePart(fileName)));
}
}  // namespace

std::string TFEditorDeObjetos1::DialogFolder(const std::string& fileName) const {
  const std::string full = fileName.empty() || fileName[0] != '/' ? ProgramFolder() + fileName : fileName;
  const size_t slash = full.find_last_of('/');
  return slash == std::string::npos ? full : full.substr(0, slash + 1);
}

void TFEditorDeObjetos1::LoadDocument(const std::string& path) {
  doc.fileName.clear();
  setWindowTitle("Objetos 3D - Nenhum arquivo");
  doc.elements.SetCount(0);
  // The elements are replaced: selection entries would name other elements.
  ClearSelection();
  doc.ClearUndo();
  Redraw();
  RebuildElementList();
  if (path.empty()) return;
  const DocumentResult r = ReadDocument(path, doc.elements);
  if (!r.ok() && r.status != DocumentResult::Missing) {
    doc.elements.SetCount(0);
    ShowWarning(Choose("N\xE3o foi poss\xEDvel ler o arquivo " + Utf8ToLatin1(path) + ": " + r.reason,
                       "Could not read the file " + Utf8ToLatin1(path) + ": " + r.reason));
  }
  Redraw();
  RebuildElementList();
  doc.fileName = path;
  setWindowTitle("Objetos 3D - " + PathText(FileNamePart(path)));
}

void TFEditorDeObjetos1::SaveDocument(const std::string& path) {
  const std::string target = path.empty() ? doc.fileName : path;
  if (target.empty()) return;
  // The picture and the export read the frame the save draws, so that frame
  // is drawn now rather than when the window next composes.
  const auto requestFrame = scene.requestFrame;
  scene.requestFrame = [this] { RenderNow(); };
  const DocumentResult r = ::SaveDocument(scene, path, doc.fileName, [this] { doc.ClearUndo(); });
  scene.requestFrame = requestFrame;
  Tela1->update();
  if (!r.ok())
    ShowWarning(Choose("N\xE3o foi poss\xEDvel salvar o arquivo " + Utf8ToLatin1(target) + ": " + r.reason,
                       "Could not save the file " + Utf8ToLatin1(target) + ": " + r.reason));
}

void TFEditorDeObjetos1::Novo1Click() {
  if (!AskConfirmation(Choose("Deseja criar novo objeto?", "New file?"))) return;
  ClearTextureCache();
  LoadDocument("");
}

void TFEditorDeObjetos1::Abrir1Click() {
  if (openDialogFolder_.empty()) openDialogFolder_ = DataPath("Vist3D/");
  QFileDialog dialog(this, "Open");
  dialog.setNameFilters({"*.zobj3d", "*.*"});
  dialog.setDefaultSuffix("zobj3d");
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  PrepareDialog(dialog, doc.fileName.empty() ? openDialogFolder_ : DialogFolder(doc.fileName), doc.fileName);
  const std::string chosen = PathBytes(RunFileDialog(dialog));
  if (chosen.empty()) return;
  openDialogFolder_ = DialogFolder(chosen);
  ClearTextureCache();
  LoadDocument(chosen);
}

void TFEditorDeObjetos1::Salvar1Click() {
  if (!doc.fileName.empty())
    SaveDocument(doc.fileName);
  else
    Salvarcomo1Click();
}

void TFEditorDeObjetos1::Salvarcomo1Click() {
  QFileDialog dialog(this, "Save");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({"*.zobj3d", "*.obj", "*.jpeg", "*.*"});
  dialog.setDefaultSuffix("zobj3d");
  PrepareDialog(dialog, doc.fileName.empty() ? DataPath("Vist3D/") : DialogFolder(doc.fileName), doc.fileName);
  const std::string chosen = PathBytes(RunFileDialog(dialog));
  if (chosen.empty()) return;
  SaveDocument(chosen);
  if (AsciiLower(Extension(chosen)) == ".zobj3d") {
    doc.fileName = chosen;
    setWindowTitle("3D - " + PathText(FileNamePart(chosen)));
  }
}

void TFEditorDeObjetos1::Exportar1Click() {
  QFileDialog dialog(this, "Save");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({"*.zobj3d", "*.obj", "*.glb", "*.stl", "*.jpeg", "*.*"});
  dialog.selectNameFilter("*.obj");
  dialog.setDefaultSuffix("obj");
  std::string name = doc.fileName.empty() ? ".obj" : ChangeExtension(doc.fileName, ".obj");
  dialog.selectFile(PathText(FileNamePart(name)));
  const std::string chosen = PathBytes(RunFileDialog(dialog));
  if (!chosen.empty()) SaveDocument(chosen);
}

void TFEditorDeObjetos1::Editar1Click() { Desfazer1->setEnabled(doc.UndoCount() > 0); }

void TFEditorDeObjetos1::Desfazer1Click() {
  if (!doc.Undo()) return;
  RebuildElementList();
  Redraw();
}

void TFEditorDeObjetos1::Copiar1Click() { doc.CopySelection(); }

void TFEditorDeObjetos1::Colar1Click() {
  if (!doc.Paste()) return;
  Redraw();
  RebuildElementList();
}

void TFEditorDeObjetos1::Apagar1Click() {
  if (Mulfig1->Valor() >= 1) {
    Mulfig1->setValor(0);
    Mulfig1->repaint();
  } else if (doc.DeleteSelection()) {
    RebuildElementList();
  }
  Redraw();
}

void TFEditorDeObjetos1::Grade1Click() {
  const std::string current = FormatGeneral(doc.editStep[1]);
  const std::string entered =
      TZBox::InputNumber(Choose("Grade", "Grid"), Choose("Grade", "Grid") + " (" + Choose("Atual", "Current") + " " +
                                                      current + ")",
                         0.1, 5.0, 0.1, current);
  if (entered.empty()) return;
  doc.editStep[1] = TextToNumber(entered);
  doc.editStep[0] = doc.editStep[2] = doc.editStep[1];
}

void TFEditorDeObjetos1::Luzesquerda1Click() {
  Luzesquerda1->setChecked(!Luzesquerda1->isChecked());
  RecreateContext();
  Redraw();
}

void TFEditorDeObjetos1::Edionormal1Click() {
  ShowWaitIndicator();
  scene.blockCursorInside = false;
  Timer1->stop();
  MMovimento1->setValor(0);
  MEixo1->setValor(3);
  Mulfig1->setValor(0);
  Mulfig1->repaint();
  CPerspectiva1->setDown(true);
  CSolidos1->setDown(true);
  CPerspectiva1->repaint();
  CSolidos1->repaint();
  ClearSelection();
  Redraw();
  StopWait();
  busyPending = true;
}

void TFEditorDeObjetos1::Tag1Click() { SendKey(13); }

void TFEditorDeObjetos1::Sobre1Click() {
  QMessageBox::about(this, L1(Choose("Sobre", "About")),
                     L1(Choose("Objetos 3D\nEditor de objetos 3D feitos de elementos.",
                               "Objetos 3D\nAn editor of 3D objects built from elements.")));
}
