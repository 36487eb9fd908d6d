// The editor keeps the user's work: entries refuse what no number can be,
// the panel shows any stored value without writing it back, a file that
// failed to load cannot be overwritten by accident, unsaved changes are
// asked about, and dialogs open where the document is.
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "EditorFixture.h"
#include "TFE3DAtributos1.h"
#include "common/DataPath.h"
#include "common/Dictionary.h"
#include "controls/TAtlEdit.h"
#include "controls/TZBox.h"
#include "controls/TZSpin.h"
#include "controls/TZSpinEdit.h"

namespace fs = std::filesystem;
using SaveAnswer = MessageBoxes::SaveAnswer;

namespace {
// The close box of the window: whether the window let itself be closed.
bool CloseBox(TFEditorDeObjetos1& w) {
  QCloseEvent event;
  QApplication::sendEvent(&w, &event);
  return event.isAccepted();
}
}  // namespace

class Safety : public EditorFixture {
 protected:
  // An edit by the keys: the element of the first list line moves one step.
  void MoveFirstElement() {
    ClickListRow(0);
    Key(Qt::Key_Right);
  }

  // The recent documents submenu, opened by the keys (Alt+A, M).
  QMenu* Recent() {
    QTest::keyClick(window.get(), Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 3000));
    QTest::keyClick(QApplication::activePopupWidget(), 'm');
    EXPECT_TRUE(QTest::qWaitFor([this] { return Child<QMenu>(*window, "Recentes1")->isVisible(); }, 3000));
    return Child<QMenu>(*window, "Recentes1");
  }
};

TEST_F(Safety, GridAndPanelEntriesRefuseNonFiniteNumbers) {
  auto& w = OpenWith({Cube("a", 0)});
  // Each is refused with the box's out-of-range warning, and the box stays
  // open until it is cancelled.
  const std::vector<std::string> typed = {"NAN", "INF", "1e400", "-INF", "nan"};
  WhenModal([&typed](QWidget* modal) {
    auto* box = qobject_cast<TZBox*>(modal);
    ASSERT_NE(box, nullptr);
    for (const std::string& t : typed) {
      box->Entrada()->selectAll();
      QTest::keyClicks(box->Entrada(), QString::fromStdString(t));
      QTest::mouseClick(box->BotaoOK(), Qt::LeftButton);
      EXPECT_TRUE(box->isVisible()) << t;
    }
    QTest::mouseClick(box->BotaoCancelar(), Qt::LeftButton);
  });
  Pick('E', Child<QAction>(w, "Grade1"));
  ASSERT_EQ(boxes.warnings.size(), typed.size());
  EXPECT_EQ(boxes.warnings[0], "Valor NAN \xE9 maior que o permitido. (5)");
  EXPECT_EQ(boxes.warnings[2], "Valor 1e400 \xE9 maior que o permitido. (5)");
  EXPECT_EQ(boxes.warnings[3], "Valor -INF \xE9 menor que o permitido. (0.1)");

  // The next arrow key moves by the step that was kept.
  Reactivate();
  MoveFirstElement();
  const Element3D moved = w.Probe().Element(0);
  EXPECT_TRUE(std::isfinite(+moved.x) && std::isfinite(+moved.z));
  EXPECT_EQ(std::abs(+moved.x) + std::abs(+moved.z), 0.5);

  // The property boxes take whole numbers only: the letters of a
  // non-finite number are refused as they are typed, and nothing changes.
  const Element3D before = w.Probe().Element(0);
  for (TZSpinEdit* box :
       {Child<TZSpinEdit>(w, "EChanfro1"), Child<TZSpinEdit>(w, "ESuperior1"), Child<TZSpinEdit>(w, "EAxy")}) {
    for (const char* t : {"NAN", "INF", "-INF", "Infinity"}) {
      QTest::mouseClick(box->Edit(), Qt::LeftButton);
      box->Edit()->selectAll();
      QTest::keyClicks(box->Edit(), t);
      EXPECT_EQ(box->Text().find_first_of("NAIFnaif"), std::string::npos) << box->Text();
    }
  }
  const Element3D after = w.Probe().Element(0);
  EXPECT_EQ(std::memcmp(&after, &before, sizeof before), 0);
}

TEST_F(Safety, AttributesDialogRefusesNonFiniteBindingNumbers) {
  auto& w = OpenWith({Cube("@escala|v|100|0|10|5|", 0)});
  WhenModal([](QWidget* modal) {
    auto* dialog = qobject_cast<TFE3DAtributos1*>(modal);
    ASSERT_NE(dialog, nullptr);
    for (const char* t : {"NAN", "-inf", "1e400", "Infinity"}) {
      dialog->EMax->selectAll();
      QTest::keyClicks(dialog->EMax, t);
      QTest::mouseClick(dialog->Button2, Qt::LeftButton);
      EXPECT_TRUE(dialog->isVisible()) << t;
    }
    dialog->EMax->selectAll();
    QTest::keyClicks(dialog->EMax, "250");
    QTest::mouseClick(dialog->Button2, Qt::LeftButton);
  });
  ClickListRow(0);
  Key(Qt::Key_Return);
  EXPECT_EQ(boxes.warnings.size(), 4u);
  EXPECT_EQ(w.Probe().Element(0).name.str(), "@escala|v|250|0|10|5|");
  EXPECT_TRUE(Starred());  // a rename is a change
}

// Showing an element writes nothing back: not a value out of the boxes'
// range, not a NaN, not the other element's angles after typing one, not
// the texture's spelling. Edits in the panel write the selection.
TEST_F(Safety, ThePanelShowsStoredValuesWithoutWritingThem) {
  Element3D huge = Cube("huge", -5), plain = Cube("plain", 0), turned = Cube("turned", 5);
  huge.chamfer = 1e10;
  huge.topPercent = huge.axz = std::numeric_limits<double>::quiet_NaN();
  plain.chamfer = -3e300;
  plain.topPercent = 50;
  plain.axy = 10;
  plain.ayz = 80;
  turned.chamfer = 0.07;
  turned.axy = 22.5;
  turned.ayz = 23.5;
  turned.texture.assign("TEXTURE3.BMP");
  auto& w = OpenWith({huge, plain, turned});
  const std::string loaded = dir.read("doc.zobj3d");
  const struct {
    int row;
    const char *chamfer, *top, *axy, *ayz, *axz;
  } shown[] = {{1, "0", "50", "10", "80", "0"},
               {0, "100", "", "0", "0", ""},     // NaN has no whole number
               {1, "0", "50", "10", "80", "0"},  // the emptied boxes show numbers again
               {2, "3", "100", "22", "24", "0"}};
  for (const auto& s : shown) {
    ClickListRow(s.row);
    EXPECT_EQ(Child<TZSpinEdit>(w, "EChanfro1")->Text(), s.chamfer) << s.row;
    EXPECT_EQ(Child<TZSpinEdit>(w, "ESuperior1")->Text(), s.top) << s.row;
    EXPECT_EQ(Child<TZSpinEdit>(w, "EAxy")->Text(), s.axy) << s.row;
    EXPECT_EQ(Child<TZSpinEdit>(w, "EAyz")->Text(), s.ayz) << s.row;
    EXPECT_EQ(Child<TZSpinEdit>(w, "EAxz")->Text(), s.axz) << s.row;
  }
  EXPECT_EQ(Child<QComboBox>(w, "CTextura")->currentText(), "texture3.bmp");  // matched ignoring case
  EXPECT_FALSE(Starred());
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(dir.read("doc.zobj3d") == loaded) << "saved as it came";

  // An angle typed for `turned`, then `plain` shown: plain keeps its own.
  QTest::mouseClick(Child<TZSpinEdit>(w, "EAxy")->Edit(), Qt::LeftButton);
  Child<TZSpinEdit>(w, "EAxy")->Edit()->selectAll();
  QTest::keyClicks(Child<TZSpinEdit>(w, "EAxy")->Edit(), "15");
  EXPECT_EQ(+w.Probe().Element(2).axy, 15);
  ClickListRow(1);
  EXPECT_EQ(+w.Probe().Element(1).axy, 10);
  EXPECT_EQ(+w.Probe().Element(1).ayz, 80);
  EXPECT_EQ(Child<TZSpinEdit>(w, "EAyz")->Text(), "80");

  // One step up on the chamfer's spin button writes 4 x 0.027.
  ClickListRow(2);
  const int undos = w.Probe().UndoCount();
  TZSpin* spin = Child<TZSpinEdit>(w, "EChanfro1")->Spin();
  QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, QPoint(spin->width() / 2, 2));
  EXPECT_DOUBLE_EQ(+w.Probe().Element(2).chamfer, 0.108);
  EXPECT_EQ(w.Probe().UndoCount(), undos + 1);
  QTest::mouseClick(Child<QCheckBox>(w, "CInvisivel"), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
  EXPECT_EQ(int{w.Probe().Element(2).invisible}, 1);
  EXPECT_EQ(int{w.Probe().Template().invisible}, 1);
}

// A document that failed to load, or loaded only in part, is left untitled
// so that no save can put it over the file; the warning says why, wholly
// in the interface's language. A missing file is a new document, silently.
TEST_F(Safety, AFileThatFailedToLoadCannotBeOverwritten) {
  dir.write("bad.zobj3d", "short");
  WriteElements(dir.file("full.zobj3d"), {Cube("a", 0), Cube("b", 2), Cube("c", 4), Cube("d", 6), Cube("e", 8)});
  dir.write("cut.zobj3d", dir.read("full.zobj3d").substr(0, kDocumentHeaderSize + 2 * kElementRecordSize + 100));

  auto& w = Open(dir.file("bad.zobj3d"));
  EXPECT_EQ(w.Probe().Count(), 0);
  EXPECT_EQ(w.Probe().FileName(), "");
  EXPECT_EQ(w.windowTitle(), "Objetos 3D - Nenhum arquivo");
  ASSERT_EQ(boxes.warnings.size(), 1u);
  EXPECT_EQ(boxes.warnings[0], "N\xE3o foi poss\xEDvel ler o arquivo " + dir.file("bad.zobj3d") +
                                   ": menor que o cabe\xE7"
                                   "alho de 22 bytes");
  Key(Qt::Key_S, Qt::ControlModifier);  // asks for a name: cancelled
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_EQ(files.questions[0].proposed, "");
  EXPECT_EQ(dir.read("bad.zobj3d"), "short");

  auto& cut = Open(dir.file("cut.zobj3d"));  // two whole records and part of a third
  ASSERT_EQ(cut.Probe().Count(), 2);
  EXPECT_EQ(cut.Probe().Element(1).name.str(), "b");
  EXPECT_EQ(cut.Probe().FileName(), "");
  EXPECT_EQ(cut.windowTitle(), "Objetos 3D - Nenhum arquivo");
  ASSERT_EQ(boxes.warnings.size(), 2u);
  EXPECT_NE(boxes.warnings[1].find("2 de 5 elementos foram lidos"), std::string::npos) << boxes.warnings[1];

  EXPECT_EQ(Open(dir.file("new.zobj3d")).windowTitle(), "Objetos 3D - new.zobj3d");
  EXPECT_EQ(boxes.warnings.size(), 2u);

  dir.write("tradutorgeral.dat", "header\n");
  LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  boxes.warnings.clear();
  Open(dir.file("cut.zobj3d"));
  Open(dir.file("bad.zobj3d"));
  ASSERT_EQ(boxes.warnings.size(), 2u);
  EXPECT_NE(boxes.warnings[0].find("2 of 5 elements were read"), std::string::npos) << boxes.warnings[0];
  EXPECT_EQ(boxes.warnings[1],
            "Could not read the file " + dir.file("bad.zobj3d") + ": shorter than the 22-byte header");
  for (const std::string& warning : boxes.warnings) EXPECT_EQ(warning.find("N\xE3o"), std::string::npos) << warning;
}

// Closing, New, Open and Quit ask about unsaved changes only: Cancel keeps
// the window and the work, Discard goes on, Save writes first and a save
// that fails (or asks for a name that is not given) cancels.
TEST_F(Safety, UnsavedChangesAreAskedAboutAndNeverLost) {
  fs::create_directories(dir.file("gone"));
  WriteElements(dir.file("gone/a.zobj3d"), {Cube("a", 0)});
  auto& w = Open(dir.file("gone/a.zobj3d"));
  ClickListRow(0);  // selecting is no change
  EXPECT_TRUE(CloseBox(w));
  EXPECT_TRUE(boxes.saveQuestions.empty());
  EXPECT_FALSE(Starred());

  MoveFirstElement();
  EXPECT_EQ(w.windowTitle(), "Objetos 3D - a.zobj3d *");
  const Element3D moved = w.Probe().Element(0);
  boxes.saveAnswer = SaveAnswer::Cancel;
  EXPECT_FALSE(CloseBox(w));
  ASSERT_EQ(boxes.saveQuestions.size(), 1u);
  EXPECT_NE(boxes.saveQuestions[0].find("a.zobj3d"), std::string::npos);
  const Element3D kept = w.Probe().Element(0);
  EXPECT_EQ(std::memcmp(&kept, &moved, sizeof moved), 0);

  fs::remove_all(dir.file("gone"));
  Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(boxes.warnings.size(), 1u);
  EXPECT_NE(boxes.warnings[0].find("a.zobj3d"), std::string::npos) << boxes.warnings[0];
  EXPECT_TRUE(Starred());
  boxes.saveAnswer = SaveAnswer::Save;
  EXPECT_FALSE(CloseBox(w));
  EXPECT_EQ(boxes.warnings.size(), 2u);

  boxes.saveAnswer = SaveAnswer::Discard;
  Pick('A', Child<QAction>(w, "Novo1"));
  EXPECT_EQ(w.Probe().Count(), 0);
  EXPECT_EQ(boxes.saveQuestions.size(), 3u);
  Pick('A', Child<QAction>(w, "Novo1"));
  EXPECT_EQ(boxes.saveQuestions.size(), 3u);
  EXPECT_FALSE(Starred());

  Key(Qt::Key_F5);  // an untitled change
  ASSERT_EQ(w.Probe().Count(), 1);
  boxes.saveAnswer = SaveAnswer::Save;
  EXPECT_FALSE(CloseBox(w));
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_TRUE(files.questions[0].save);
  boxes.saveAnswer = SaveAnswer::Cancel;
  Pick('A', Child<QAction>(w, "Abrir1"));
  EXPECT_EQ(files.questions.size(), 1u);
  EXPECT_EQ(w.Probe().Count(), 1);

  files.paths = {dir.file("new.zobj3d")};
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(w.Probe().FileName(), dir.file("new.zobj3d"));
  EXPECT_FALSE(Starred());
  Key(Qt::Key_Right);
  boxes.saveAnswer = SaveAnswer::Save;
  Pick('A', Child<QAction>(w, "Sair1"));
  EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.isVisible(); }, 3000));
  const Element3D shown = w.Probe().Element(0);
  EXPECT_EQ(std::memcmp(&ReadElements(dir.file("new.zobj3d"))[0], &shown, sizeof(Element3D)), 0);
}

// Export and Save As open beside the document (untitled: where the dialog
// was last left, at first Vist3D/); an export or a picture leaves the
// document's name and file alone, and the picture has no editing aids.
TEST_F(Safety, ExportAndPicturesOpenBesideTheDocumentAndLeaveIt) {
  auto& w = Open();
  files.leftIn = dir.file("elsewhere/");
  Pick('A', Child<QAction>(w, "Exportar1"));
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_EQ(files.questions[0].folder, DataPath("Vist3D/"));
  EXPECT_EQ(files.questions[0].proposed, "");
  EXPECT_EQ(files.questions[0].filters.value(files.questions[0].filterIndex), "*.obj");
  files.leftIn.clear();
  Pick('A', Child<QAction>(w, "Salvarcomo1"));
  ASSERT_EQ(files.questions.size(), 2u);
  EXPECT_EQ(files.questions[1].folder, dir.file("elsewhere/"));
  EXPECT_EQ(files.questions[1].proposed, "");

  fs::create_directories(dir.file("sub"));
  WriteElements(dir.file("sub/room.zobj3d"), {Cube("a", 0)});
  const std::string room = dir.read("sub/room.zobj3d");
  files.paths = {dir.file("sub/room.zobj3d"), dir.file("sub/room.obj"), dir.file("sub/room.jpeg")};
  Pick('A', Child<QAction>(w, "Abrir1"));
  Pick('A', Child<QAction>(w, "Exportar1"));
  ASSERT_EQ(files.questions.size(), 4u);
  EXPECT_EQ(files.questions[3].folder, dir.file("sub/"));
  EXPECT_EQ(files.questions[3].proposed, "room.obj");
  EXPECT_TRUE(fs::exists(dir.file("sub/room.obj")));

  const QImage withAids = ViewOf(w)->grabFramebuffer();
  Pick('A', Child<QAction>(w, "Salvarcomo1"));
  const QImage picture(QString::fromStdString(dir.file("sub/room.jpeg")));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), ViewOf(w)->size() * ViewOf(w)->devicePixelRatioF());
  int differing = 0;  // where the grid runs
  for (int y = 0; y < picture.height(); y += 7)
    for (int x = 0; x < picture.width(); x += 7)
      if (std::abs(qGray(picture.pixel(x, y)) - qGray(withAids.pixel(x, y))) > 40) ++differing;
  EXPECT_GT(differing, 20);
  EXPECT_EQ(w.Probe().FileName(), dir.file("sub/room.zobj3d"));
  EXPECT_TRUE(dir.read("sub/room.zobj3d") == room);

  // The real dialog gets the same question; picking "*.obj" turns the name into the export's.
  SetFileNameAsker(nullptr);
  bool asked = false;
  WhenModal([this, &asked](QWidget* modal) {
    asked = true;
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    auto* kind = dialog->findChild<QComboBox*>("fileTypeCombo");
    if (name && kind) {
      EXPECT_EQ(dialog->directory().absolutePath().toStdString(), dir.file("sub"));
      EXPECT_EQ(name->text(), "room.zobj3d");
      QTest::keyClick(kind, Qt::Key_Down);  // "*.obj"
      EXPECT_EQ(name->text(), "room.obj");
    } else {
      ADD_FAILURE() << "the dialog's name entry and kind list were not found";
    }
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  fs::remove(dir.file("sub/room.obj"));
  Pick('A', Child<QAction>(w, "Salvarcomo1"));
  EXPECT_TRUE(asked);
  EXPECT_FALSE(fs::exists(dir.file("sub/room.obj")));
}

TEST_F(Safety, RecentDocumentsListTheLastEightAndGreyMissingOnes) {
  for (int i = 0; i < 10; ++i) WriteElements(dir.file("d" + std::to_string(i) + ".zobj3d"), {Cube("a", i)});
  auto& w = Open(dir.file("d0.zobj3d"));
  for (int i = 1; i < 10; ++i) {
    files.paths = {dir.file("d" + std::to_string(i) + ".zobj3d")};
    Pick('A', Child<QAction>(w, "Abrir1"));
  }
  fs::remove(dir.file("d8.zobj3d"));

  // A new window reads the list back: newest first, eight of them.
  auto& again = Open();
  QMenu* recent = Recent();
  const QList<QAction*> items = recent->actions();
  ASSERT_EQ(items.size(), 8);
  EXPECT_TRUE(items[0]->text().endsWith("d9.zobj3d"));
  EXPECT_TRUE(items[7]->text().endsWith("d2.zobj3d"));
  EXPECT_FALSE(items[1]->isEnabled());  // d8 is gone
  EXPECT_TRUE(items[2]->isEnabled());

  // Choosing one opens it, after the question about unsaved work.
  QTest::keyClick(recent, Qt::Key_3);  // d7
  ASSERT_TRUE(QTest::qWaitFor([&again, this] { return again.Probe().FileName() == dir.file("d7.zobj3d"); }, 3000));
  EXPECT_EQ(+again.Probe().Element(0).x, 7);
  MoveFirstElement();
  boxes.saveAnswer = SaveAnswer::Cancel;
  QTest::keyClick(Recent(), Qt::Key_4);  // d6 now, after d7, d9 and d8
  QApplication::processEvents();
  EXPECT_EQ(boxes.saveQuestions.size(), 1u);
  EXPECT_EQ(again.Probe().FileName(), dir.file("d7.zobj3d"));
}
