// The main window: start-up, document commands, panel, list and menu.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cstring>
#include <filesystem>

#include "EditorFixture.h"
#include "TFE3DAtributos1.h"
#include "common/Dictionary.h"
#include "controls/TAtlEdit.h"
#include "controls/TMulfig.h"
#include "controls/TZBox.h"
#include "controls/TZSpin.h"
#include "controls/TZSpinEdit.h"
#include "document/DocumentFile.h"
#include "document/ElementNames.h"

namespace {
void AddNamed(TFEditorDeObjetos1& w, const std::string& name, double chamfer = 0.27) {
  w.doc.templ.chamfer = chamfer;
  const int32_t i = w.doc.AppendFromTemplate();
  w.doc.Element(i).name.assign(name);
  w.RebuildElementList();
}

std::vector<std::string> Names(TFEditorDeObjetos1& w) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < w.doc.Count(); ++i) out.push_back(w.doc.Element(i).name.str());
  return out;
}

void ClickPanel(TFEditorDeObjetos1& w, QPoint at) {
  w.lastPressTime = 0;  // no double press
  QTest::mouseClick(w.Tela1, Qt::LeftButton, Qt::NoModifier, at);
}
}  // namespace

TEST_F(EditorFixture, StartUpJoinsTheArgumentsIntoOnePath) {
  TIMem32 store;
  store.RecordSize = kElementRecordSize;
  store.SetCount(2);
  ASSERT_TRUE(WriteDocument(dir.file("my room.zobj3d"), store).ok());
  auto& w = Open({QString::fromStdString(dir.file("my")), "room.zobj3d"});
  EXPECT_EQ(w.doc.Count(), 2);
  EXPECT_EQ(w.doc.fileName, dir.file("my room.zobj3d"));
  EXPECT_EQ(w.windowTitle(), "Objetos 3D - my room.zobj3d");
  EXPECT_EQ(w.Lista1->count(), 2);
}

TEST_F(EditorFixture, StartsUntitledWithTheTextureListAndAnEmptyHistory) {
  auto& w = Open();
  EXPECT_EQ(w.windowTitle(), "3Z Udivov Udaror ");
  ASSERT_GE(w.CTextura->count(), 2);
  EXPECT_EQ(w.CTextura->itemText(0), "<nenhuma>");
  int lastGroup = 0;
  for (int i = 1; i < w.CTextura->count(); ++i) {
    const QString ext = w.CTextura->itemText(i).section('.', -1).toLower();
    const int group = ext == "jpeg" ? 0 : ext == "jpg" ? 1 : 2;
    EXPECT_GE(group, lastGroup) << w.CTextura->itemText(i).toStdString();
    lastGroup = group;
  }
  EXPECT_EQ(w.doc.UndoCount(), 0);
  w.Editar1Click();
  EXPECT_FALSE(w.Desfazer1->isEnabled());
  EXPECT_EQ(w.doc.editStep[0], 0.5);
}

TEST_F(EditorFixture, PickingCuboAndClickingAddsNumberedCubes) {
  auto& w = Open();
  for (const char* expected : {"cubo1", "cubo2"}) {
    w.Mulfig1->setValor(1);
    ClickPanel(w, QPoint(200, 150));
    ASSERT_EQ(w.doc.Element(w.doc.Count() - 1).name.str(), expected);
    EXPECT_EQ(w.Mulfig1->Valor(), 0);  // back to the cursor
    EXPECT_EQ(w.doc.SelectionCount(), 1);
    EXPECT_EQ(w.doc.SelectedIndex(0), w.doc.Count() - 1);
  }
  EXPECT_EQ(w.Lista1->count(), 2);
  EXPECT_EQ(w.doc.UndoCount(), 2);
}

TEST_F(EditorFixture, SavingTheDefaultCubeWritesTheWorkedExample) {
  auto& w = Open();
  QTest::keyClick(w.Tela1, Qt::Key_F5);
  ASSERT_EQ(w.doc.Count(), 1);
  const Element3D& e = w.doc.Element(0);
  EXPECT_EQ(e.name.str(), "cubo1");
  EXPECT_EQ(double{e.x}, 0);
  EXPECT_EQ(double{e.y}, 2);
  EXPECT_EQ(double{e.z}, 0);
  w.SaveDocument(dir.file("cube.zobj3d"));
  const std::string bytes = dir.read("cube.zobj3d");
  ASSERT_EQ(bytes.size(), 311u);
  EXPECT_EQ(bytes.substr(0, 22), std::string("ZObjeto3D 1.00\x01\0\0\0\x21\x01\0\0", 22));
  EXPECT_EQ(bytes.substr(26, 6), "\x05" "cubo1");
  EXPECT_EQ(bytes.substr(162, 4), std::string("\x85\x93\x85\0", 4));
  EXPECT_EQ(bytes.substr(166, 8), "\xEC\x51\xB8\x1E\x85\xEB\xB1\x3F");
  EXPECT_EQ(bytes.substr(182, 13), "\x0C" "texture3.bmp");
  EXPECT_EQ(w.doc.UndoCount(), 0);  // every save empties the history
}

TEST_F(EditorFixture, DeleteRemovesTheListSelectionUnlessAKindIsPicked) {
  auto& w = Open();
  for (int i = 0; i < 5; ++i) AddNamed(w, "e" + std::to_string(i));
  w.Mulfig1->setValor(1);
  w.Apagar1->trigger();
  EXPECT_EQ(w.Mulfig1->Valor(), 0);
  EXPECT_EQ(w.doc.Count(), 5);

  QTest::mouseClick(w.Lista1->viewport(), Qt::LeftButton, Qt::NoModifier,
                    w.Lista1->visualItemRect(w.Lista1->item(1)).center());
  QTest::mouseClick(w.Lista1->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    w.Lista1->visualItemRect(w.Lista1->item(3)).center());
  ASSERT_EQ(w.doc.SelectionCount(), 2);

  w.Apagar1->trigger();
  EXPECT_EQ(Names(w), (std::vector<std::string>{"e0", "e2", "e4"}));
  EXPECT_EQ(w.doc.SelectionCount(), 0);
  EXPECT_EQ(w.Lista1->count(), 3);
  EXPECT_TRUE(w.Lista1->selectedItems().isEmpty());
}

TEST_F(EditorFixture, CopyAndPasteThroughTheMenu) {
  auto& w = Open();
  for (int i = 0; i < 3; ++i) AddNamed(w, "cubo" + std::to_string(i + 1));
  w.SelectElement(2);
  w.SelectElement(0);
  w.Copiar1->trigger();
  w.Colar1->trigger();
  EXPECT_EQ(Names(w), (std::vector<std::string>{"cubo1", "cubo2", "cubo3", "cubo4", "cubo5"}));
  EXPECT_EQ(double{w.doc.Element(3).x}, +w.doc.Element(2).x - 0.5);
  EXPECT_EQ(w.Lista1->count(), 5);
  EXPECT_EQ(w.Lista1->selectedItems().size(), 2);
  w.Desfazer1->trigger();
  EXPECT_EQ(w.doc.Count(), 3);
  EXPECT_EQ(w.doc.SelectionCount(), 0);
  EXPECT_EQ(w.Lista1->count(), 3);
}

TEST_F(EditorFixture, PanelShowsTheCurrentElementAndSpinStepsWriteIt) {
  auto& w = Open();
  AddNamed(w, "a", 0.07);
  w.doc.Element(0).axy = 22.5;
  w.doc.Element(0).ayz = 23.5;
  w.doc.Element(0).texture.assign("TEXTURE3.BMP");
  w.SelectElement(0);
  EXPECT_EQ(w.EChanfro1->Value(), 3);
  EXPECT_EQ(w.EAxy->Value(), 22);
  EXPECT_EQ(w.EAyz->Value(), 24);
  EXPECT_EQ(w.CTextura->currentText(), "texture3.bmp");  // matched ignoring case

  // One step up on the chamfer's spin button writes 4 x 0.027.
  TZSpin* spin = w.EChanfro1->Spin();
  QTest::mousePress(spin, Qt::LeftButton, Qt::NoModifier, QPoint(spin->width() / 2, 2));
  QTest::mouseRelease(spin, Qt::LeftButton, Qt::NoModifier, QPoint(spin->width() / 2, 2));
  EXPECT_DOUBLE_EQ(double{w.doc.Element(0).chamfer}, 0.108);
  EXPECT_EQ(w.doc.UndoCount(), 1);

  w.CInvisivel->click();
  EXPECT_EQ(int{w.doc.Element(0).invisible}, 1);
  EXPECT_EQ(int{w.doc.templ.invisible}, 1);
}

TEST_F(EditorFixture, RenamingTrimsAndRefusesNamesInUse) {
  auto& w = Open();
  AddNamed(w, "porta");
  AddNamed(w, "janela");
  w.Lista1->setCurrentRow(1);
  WhenModal([](QWidget* modal) {
    auto* dialog = qobject_cast<TFE3DAtributos1*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->ENome->text(), "janela");
    dialog->ENome->setText("  vidro  ");
    dialog->Button2->click();
  });
  w.Lista1DblClick();
  EXPECT_EQ(w.doc.Element(1).name.str(), "vidro");
  EXPECT_EQ(w.Lista1->item(1)->text(), "vidro");

  w.Lista1->setCurrentRow(1);
  WhenModal([](QWidget* modal) {
    auto* dialog = qobject_cast<TFE3DAtributos1*>(modal);
    dialog->ENome->setText("PORTA");
    dialog->Button2->click();
  });
  w.Lista1DblClick();
  EXPECT_EQ(w.doc.Element(1).name.str(), "vidro");

  w.Lista1->setCurrentRow(0);
  WhenModal([](QWidget* modal) { qobject_cast<TFE3DAtributos1*>(modal)->Button1->click(); });
  w.Lista1DblClick();
  EXPECT_EQ(w.doc.Element(0).name.str(), "porta");
}

TEST_F(EditorFixture, GridSetsAllThreeStepsAndCancelCopiesY) {
  auto& w = Open();
  WhenModal([](QWidget* modal) {
    auto* box = qobject_cast<TZBox*>(modal);
    ASSERT_NE(box, nullptr);
    box->Entrada()->setText("1");
    box->BotaoOK()->click();
  });
  w.Grade1->trigger();
  EXPECT_EQ(w.doc.editStep[0], 1.0);
  EXPECT_EQ(w.doc.editStep[1], 1.0);
  EXPECT_EQ(w.doc.editStep[2], 1.0);

  w.doc.editStep[0] = 0.5;
  w.doc.editStep[1] = 0.7;
  WhenModal([](QWidget* modal) { qobject_cast<TZBox*>(modal)->BotaoCancelar()->click(); });
  w.Grade1->trigger();
  EXPECT_EQ(w.doc.editStep[0], 0.7);
  EXPECT_EQ(w.doc.editStep[2], 0.7);
}

TEST_F(EditorFixture, NormalEditResetsTheModes) {
  auto& w = Open();
  AddNamed(w, "a");
  w.SelectElement(0);
  w.MMovimento1->setValor(2);
  w.MEixo1->setValor(0);
  w.Mulfig1->setValor(1);
  w.Timer1->start();
  w.Edionormal1->trigger();
  EXPECT_EQ(w.MMovimento1->Valor(), 0);
  EXPECT_EQ(w.MEixo1->Valor(), 3);
  EXPECT_EQ(w.Mulfig1->Valor(), 0);
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(w.doc.SelectionCount(), 0);
  EXPECT_TRUE(w.busyPending);
}

TEST_F(EditorFixture, UnreadableDocumentWarnsAndLeavesAnEmptyUntitledDocument) {
  dir.write("bad.zobj3d", "short");
  auto& w = Open();
  AddNamed(w, "a");
  w.SelectElement(0);
  w.LoadDocument(dir.file("bad.zobj3d"));
  EXPECT_EQ(w.doc.Count(), 0);
  EXPECT_EQ(w.doc.SelectionCount(), 0);
  EXPECT_EQ(w.doc.fileName, "");
  EXPECT_EQ(w.windowTitle(), "3Z Udivov Udaror ");
  ASSERT_EQ(boxes.warnings.size(), 1u);
  EXPECT_NE(boxes.warnings[0].find("bad.zobj3d"), std::string::npos);

  w.LoadDocument(dir.file("new.zobj3d"));  // a missing file is a new document, silently
  EXPECT_EQ(boxes.warnings.size(), 1u);
  EXPECT_EQ(w.windowTitle(), "Objetos 3D - new.zobj3d");
}

TEST_F(EditorFixture, FailedSaveWarnsWithTheFileAndTheReason) {
  auto& w = Open();
  AddNamed(w, "a");
  w.SaveDocument(dir.file("no/such/folder/x.zobj3d"));
  ASSERT_EQ(boxes.warnings.size(), 1u);
  EXPECT_NE(boxes.warnings[0].find("x.zobj3d"), std::string::npos);
}

TEST_F(EditorFixture, EnglishWhenADictionaryIsPresent) {
  dir.write("tradutorgeral.dat", "header\n");
  LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  auto& w = Open();
  EXPECT_EQ(w.Novo1->text(), "New");
  EXPECT_EQ(w.Salvarcomo1->text(), "Save As...");
  EXPECT_EQ(w.Grade1->text(), "Grid...");
  EXPECT_EQ(w.CTextura->itemText(0), "<none>");
  w.Mulfig1->setValor(1);
  ClickPanel(w, QPoint(200, 150));
  EXPECT_EQ(w.doc.Element(0).name.str(), "cube1");
  window.reset();
  FreeDictionary();
}

TEST_F(EditorFixture, SavingAsObjOrJpegDrawsTheFrameThatIsSaved) {
  auto& w = Open();
  w.Mulfig1->setValor(1);
  ClickPanel(w, QPoint(200, 150));
  w.doc.fileName = dir.file("doc.zobj3d");
  w.SaveDocument(dir.file("doc.obj"));
  const std::string obj = dir.read("doc.obj");
  EXPECT_NE(obj.find("\no cubo1"), std::string::npos) << obj.substr(0, 200);
  EXPECT_NE(obj.find("\nv "), std::string::npos);
  EXPECT_NE(dir.read("doc.mtl").find("newmtl cubo1"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir.file("textures")));

  const QImage withAids = w.Tela1->grabFramebuffer();
  w.SaveDocument(dir.file("doc.jpeg"));
  const QImage picture(QString::fromStdString(dir.file("doc.jpeg")));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), w.Tela1->size() * w.Tela1->devicePixelRatioF());
  // The grid is an editing aid: the picture differs from the panel where it runs.
  int differing = 0;
  for (int y = 0; y < picture.height(); y += 7)
    for (int x = 0; x < picture.width(); x += 7)
      if (std::abs(qGray(picture.pixel(x, y)) - qGray(withAids.pixel(x, y))) > 40) ++differing;
  EXPECT_GT(differing, 20);
  EXPECT_TRUE(w.scene.showEditAids);
  EXPECT_EQ(w.doc.fileName, dir.file("doc.zobj3d"));
  EXPECT_FALSE(std::filesystem::exists(dir.file("doc.zobj3d")));  // neither save wrote the document
}

TEST_F(EditorFixture, ShowingAnElementAfterTypingAnAngleWritesNothing) {
  auto& w = Open();
  AddNamed(w, "a");
  AddNamed(w, "b");
  w.doc.Element(0).ayz = 30;
  w.doc.Element(1).axy = 10;
  w.doc.Element(1).ayz = 80;
  w.SelectElement(0);
  // A key released in an angle box arms its change event: the second digit
  // typed is applied.
  w.EAxy->Edit()->setFocus();
  w.EAxy->Edit()->selectAll();
  QTest::keyClicks(w.EAxy->Edit(), "15");
  EXPECT_EQ(double{w.doc.Element(0).axy}, 15);
  // The next change arms the event again (as further typing would).
  w.EAxy->setPermiteEvento(true);
  EXPECT_EQ(double{w.doc.Element(0).ayz}, 30);
  w.SelectElement(1);                   // fills the panel from element b
  EXPECT_EQ(double{w.doc.Element(1).axy}, 10);
  EXPECT_EQ(double{w.doc.Element(1).ayz}, 80);
  EXPECT_EQ(w.EAyz->Value(), 80);
}
