// The editor keeps the user's work: entries refuse what no number can be,
// the panel shows any stored value without writing it back, a file that
// failed to load cannot be overwritten by accident, unsaved changes are
// asked about, and dialogs open where the document is.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "EditorFixture.h"
#include "FileNameDialogs.h"
#include "TFE3DAtributos1.h"
#include "common/DataPath.h"
#include "common/Dictionary.h"
#include "controls/TAtlEdit.h"
#include "controls/TZBox.h"
#include "controls/TZSpinEdit.h"
#include "document/DocumentFile.h"

namespace {
using SaveAnswer = MessageBoxes::SaveAnswer;

// Answers the unsaved-changes question as told and records it.
struct AnsweringBoxes : RecordingBoxes {
  std::vector<std::string> saveQuestions;
  SaveAnswer saveAnswer = SaveAnswer::Cancel;
  SaveAnswer SaveQuestion(const std::string& text) override {
    saveQuestions.push_back(text);
    return saveAnswer;
  }
};

// Answers the file dialogs: records each question and gives the next path
// (empty = cancel), leaving the dialog in `leftIn` when that is set.
struct AnsweringFileDialogs : FileNameAsker {
  std::vector<FileNameQuestion> questions;
  std::vector<std::string> paths;
  std::string leftIn;
  FileNameAnswer Ask(const FileNameQuestion& q, QWidget*) override {
    questions.push_back(q);
    FileNameAnswer a;
    if (!paths.empty()) {
      a.path = paths.front();
      paths.erase(paths.begin());
    }
    a.folder = !leftIn.empty() ? leftIn : a.path.empty() ? q.folder : a.path.substr(0, a.path.rfind('/') + 1);
    return a;
  }
};

void WriteElements(const std::string& path, const std::vector<Element3D>& elements) {
  TIMem32 store;
  store.RecordSize = kElementRecordSize;
  store.SetCount(static_cast<int32_t>(elements.size()));
  for (size_t i = 0; i < elements.size(); ++i) store.As<Element3D>(static_cast<int32_t>(i)) = elements[i];
  ASSERT_TRUE(WriteDocument(path, store).ok());
}

class SafetyFixture : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    // Recent documents and any other settings stay inside the test's folder.
    std::filesystem::create_directories(dir.file("config"));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.file("config")));
    SetMessageBoxes(&answers);
    SetFileNameAsker(&files);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void TearDown() override {
    EditorFixture::TearDown();
    SetFileNameAsker(nullptr);
  }

  TFEditorDeObjetos1& Start(const std::string& document) { return Open({QString::fromStdString(document)}); }

  // Clicks the list line of element `row`, as a user selects it.
  static void ClickListRow(TFEditorDeObjetos1& w, int row) {
    const QRect r = w.Lista1->visualItemRect(w.Lista1->item(row));
    QTest::mouseClick(w.Lista1->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  }

  // An edit by the keys: the element of the first list line moves one step.
  static void MoveFirstElement(TFEditorDeObjetos1& w) {
    ClickListRow(w, 0);
    QTest::keyClick(w.Tela1, Qt::Key_Right);
  }

  // Opens the File menu with its access key and picks the item with `key`.
  static void FileMenu(TFEditorDeObjetos1& w, char key) {
    QTest::keyClick(&w, Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), key);
    QApplication::processEvents();
  }

  static bool Starred(const TFEditorDeObjetos1& w) { return w.windowTitle().endsWith('*'); }

  AnsweringBoxes answers;
  AnsweringFileDialogs files;
};

bool IsPortuguese(const std::string& text) { return text.find("N\xE3o") != std::string::npos; }
}  // namespace

TEST_F(SafetyFixture, GridAndPanelEntriesRefuseNonFiniteNumbers) {
  WriteElements(dir.file("a.zobj3d"), {Cube("a", 0)});
  auto& w = Start(dir.file("a.zobj3d"));
  ClickListRow(w, 0);

  // Each of these is refused with the box's out-of-range warning, and the
  // box stays open until it is cancelled.
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
  w.Grade1->trigger();
  ASSERT_EQ(answers.warnings.size(), typed.size());
  EXPECT_EQ(answers.warnings[0], "Valor NAN \xE9 maior que o permitido. (5)");
  EXPECT_EQ(answers.warnings[2], "Valor 1e400 \xE9 maior que o permitido. (5)");
  EXPECT_EQ(answers.warnings[3], "Valor -INF \xE9 menor que o permitido. (0.1)");
  EXPECT_EQ(w.doc.editStep[1], 0.5);

  // The next arrow key moves by the step that was kept. (Without a window
  // manager nothing gives the window back its activation after the box.)
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  ClickListRow(w, 0);
  QTest::keyClick(w.Tela1, Qt::Key_Right);
  const Element3D& moved = w.doc.Element(0);
  EXPECT_TRUE(std::isfinite(+moved.x) && std::isfinite(+moved.z));
  EXPECT_EQ(std::abs(+moved.x) + std::abs(+moved.z), 0.5);

  // The property boxes take whole numbers only: the letters of a
  // non-finite number are refused as they are typed, and nothing changes.
  const Element3D before = w.doc.Element(0);
  for (TZSpinEdit* box : {w.EChanfro1, w.ESuperior1, w.EAxy}) {
    for (const char* t : {"NAN", "INF", "-INF", "Infinity"}) {
      QTest::mouseClick(box->Edit(), Qt::LeftButton);
      box->Edit()->selectAll();
      QTest::keyClicks(box->Edit(), t);
      EXPECT_EQ(box->Text().find_first_of("NAIFnaif"), std::string::npos) << box->Text();
    }
  }
  EXPECT_EQ(std::memcmp(&w.doc.Element(0), &before, sizeof before), 0);
}

TEST_F(SafetyFixture, AttributesDialogRefusesNonFiniteBindingNumbers) {
  Element3D scale = Cube("@escala|v|100|0|10|5|", 0);
  WriteElements(dir.file("s.zobj3d"), {scale});
  auto& w = Start(dir.file("s.zobj3d"));
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
  ClickListRow(w, 0);
  QTest::keyClick(w.Tela1, Qt::Key_Return);
  EXPECT_EQ(answers.warnings.size(), 4u);
  EXPECT_EQ(w.doc.Element(0).name.str(), "@escala|v|250|0|10|5|");
  EXPECT_TRUE(Starred(w));  // a rename is a change
}

TEST_F(SafetyFixture, PanelShowsOutOfRangeValuesWithoutWritingThem) {
  Element3D huge = Cube("huge", 0);
  huge.chamfer = 1e10;
  huge.topPercent = std::numeric_limits<double>::quiet_NaN();
  huge.axz = std::numeric_limits<double>::quiet_NaN();
  Element3D plain = Cube("plain", 4);
  plain.chamfer = -3e300;
  plain.topPercent = 50;
  WriteElements(dir.file("h.zobj3d"), {huge, plain});
  auto& w = Start(dir.file("h.zobj3d"));

  ClickListRow(w, 1);
  EXPECT_EQ(w.EChanfro1->Text(), "0");
  EXPECT_EQ(w.ESuperior1->Text(), "50");
  ClickListRow(w, 0);
  EXPECT_EQ(w.EChanfro1->Text(), "100");
  EXPECT_EQ(w.ESuperior1->Text(), "");  // NaN has no whole number
  EXPECT_EQ(w.EAxz->Text(), "");
  ClickListRow(w, 1);
  EXPECT_EQ(w.ESuperior1->Text(), "50");  // the emptied box shows numbers again
  EXPECT_EQ(w.EAxz->Text(), "0");

  // Showing wrote nothing: the document is unchanged and saves as it came.
  EXPECT_FALSE(Starred(w));
  QTest::keyClick(w.Tela1, Qt::Key_S, Qt::ControlModifier);
  TIMem32 saved;
  saved.RecordSize = kElementRecordSize;
  ASSERT_TRUE(ReadDocument(dir.file("h.zobj3d"), saved).ok());
  EXPECT_EQ(+saved.As<Element3D>(0).chamfer, 1e10);
  EXPECT_TRUE(std::isnan(+saved.As<Element3D>(0).topPercent));
  EXPECT_EQ(+saved.As<Element3D>(1).chamfer, -3e300);
  EXPECT_EQ(+saved.As<Element3D>(1).topPercent, 50);
}

TEST_F(SafetyFixture, AFileThatFailedToLoadCannotBeOverwritten) {
  dir.write("bad.zobj3d", "short");
  auto& w = Start(dir.file("bad.zobj3d"));
  EXPECT_EQ(w.doc.Count(), 0);
  EXPECT_EQ(w.doc.fileName, "");
  EXPECT_EQ(w.windowTitle(), "3Z Udivov Udaror ");
  ASSERT_EQ(answers.warnings.size(), 1u);
  EXPECT_EQ(answers.warnings[0], "N\xE3o foi poss\xEDvel ler o arquivo " + dir.file("bad.zobj3d") +
                                     ": menor que o cabe\xE7""alho de 22 bytes");

  // Ctrl+S has no file to write: it asks for a name, and a cancelled
  // question leaves the unread file as it was.
  QTest::keyClick(w.Tela1, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_TRUE(files.questions[0].save);
  EXPECT_EQ(files.questions[0].proposed, "");
  EXPECT_EQ(dir.read("bad.zobj3d"), "short");
}

TEST_F(SafetyFixture, ADocumentThatEndedEarlyKeepsItsWholeRecordsAndSaysHowMany) {
  WriteElements(dir.file("full.zobj3d"), {Cube("a", 0), Cube("b", 2), Cube("c", 4), Cube("d", 6), Cube("e", 8)});
  const std::string full = dir.read("full.zobj3d");
  // Two whole records and part of a third.
  dir.write("cut.zobj3d", full.substr(0, kDocumentHeaderSize + 2 * kElementRecordSize + 100));
  {
    auto& w = Start(dir.file("cut.zobj3d"));
    ASSERT_EQ(w.doc.Count(), 2);
    EXPECT_EQ(w.doc.Element(1).name.str(), "b");
    EXPECT_EQ(w.doc.fileName, "");
    EXPECT_EQ(w.windowTitle(), "3Z Udivov Udaror ");
    ASSERT_EQ(answers.warnings.size(), 1u);
    EXPECT_NE(answers.warnings[0].find("2 de 5 elementos foram lidos"), std::string::npos) << answers.warnings[0];
  }

  // With the alternate language every warning is wholly English, the
  // reason included.
  dir.write("tradutorgeral.dat", "header\n");
  LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  window.reset();
  answers.warnings.clear();
  Start(dir.file("cut.zobj3d"));
  dir.write("bad.zobj3d", "short");
  Start(dir.file("bad.zobj3d"));
  window.reset();
  FreeDictionary();
  ASSERT_EQ(answers.warnings.size(), 2u);
  EXPECT_NE(answers.warnings[0].find("2 of 5 elements were read"), std::string::npos) << answers.warnings[0];
  EXPECT_EQ(answers.warnings[1],
            "Could not read the file " + dir.file("bad.zobj3d") + ": shorter than the 22-byte header");
  for (const std::string& warning : answers.warnings) EXPECT_FALSE(IsPortuguese(warning)) << warning;
}

TEST_F(SafetyFixture, QuitAndCloseAskOnlyWhenThereAreChanges) {
  WriteElements(dir.file("a.zobj3d"), {Cube("a", 0)});
  auto& w = Start(dir.file("a.zobj3d"));
  ClickListRow(w, 0);  // selecting is no change
  QCloseEvent untouched;
  QApplication::sendEvent(&w, &untouched);
  EXPECT_TRUE(untouched.isAccepted());
  EXPECT_TRUE(answers.saveQuestions.empty());
  EXPECT_FALSE(Starred(w));

  MoveFirstElement(w);
  EXPECT_EQ(w.windowTitle(), "Objetos 3D - a.zobj3d *");
  const Element3D moved = w.doc.Element(0);
  const Element3D loaded = Cube("a", 0);
  ASSERT_NE(std::memcmp(&moved, &loaded, sizeof moved), 0);

  // The close box: Cancel keeps the window and the work.
  answers.saveAnswer = SaveAnswer::Cancel;
  QCloseEvent cancelled;
  QApplication::sendEvent(&w, &cancelled);
  EXPECT_FALSE(cancelled.isAccepted());
  ASSERT_EQ(answers.saveQuestions.size(), 1u);
  EXPECT_NE(answers.saveQuestions[0].find("a.zobj3d"), std::string::npos);
  EXPECT_EQ(std::memcmp(&w.doc.Element(0), &moved, sizeof moved), 0);

  // Quit from the menu: Save writes the document, then the window closes.
  answers.saveAnswer = SaveAnswer::Save;
  FileMenu(w, 'r');
  EXPECT_EQ(answers.saveQuestions.size(), 2u);
  QTRY_VERIFY(!w.isVisible());
  TIMem32 saved;
  saved.RecordSize = kElementRecordSize;
  ASSERT_TRUE(ReadDocument(dir.file("a.zobj3d"), saved).ok());
  EXPECT_EQ(+saved.As<Element3D>(0).x, +moved.x);
  EXPECT_EQ(+saved.As<Element3D>(0).z, +moved.z);
}

TEST_F(SafetyFixture, DiscardAndFailedSavesAndUntitledDocuments) {
  std::filesystem::create_directories(dir.file("gone"));
  WriteElements(dir.file("gone/a.zobj3d"), {Cube("a", 0)});
  auto& w = Start(dir.file("gone/a.zobj3d"));
  MoveFirstElement(w);
  std::filesystem::remove_all(dir.file("gone"));

  // A save that fails keeps the document changed, so the close still asks.
  QTest::keyClick(w.Tela1, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(answers.warnings.size(), 1u);
  EXPECT_TRUE(Starred(w));
  answers.saveAnswer = SaveAnswer::Save;
  QCloseEvent failing;
  QApplication::sendEvent(&w, &failing);
  EXPECT_FALSE(failing.isAccepted());
  EXPECT_EQ(answers.warnings.size(), 2u);

  // Discard lets New go on; New with nothing to lose asks nothing.
  answers.saveAnswer = SaveAnswer::Discard;
  w.Novo1->trigger();
  EXPECT_EQ(w.doc.Count(), 0);
  EXPECT_EQ(answers.saveQuestions.size(), 2u);
  w.Novo1->trigger();
  EXPECT_EQ(answers.saveQuestions.size(), 2u);
  EXPECT_FALSE(Starred(w));

  // An untitled change asked to be saved asks for a name; cancelling that
  // cancels the close.
  QTest::keyClick(w.Tela1, Qt::Key_F5);  // a cube where the pointer is
  ASSERT_EQ(w.doc.Count(), 1);
  EXPECT_TRUE(Starred(w));
  answers.saveAnswer = SaveAnswer::Save;
  QCloseEvent untitled;
  QApplication::sendEvent(&w, &untitled);
  EXPECT_FALSE(untitled.isAccepted());
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_TRUE(files.questions[0].save);

  // Open with changes asks first; Cancel never shows the dialog.
  answers.saveAnswer = SaveAnswer::Cancel;
  w.Abrir1->trigger();
  EXPECT_EQ(files.questions.size(), 1u);
  EXPECT_EQ(w.doc.Count(), 1);

  // Saved under a name, the document is no longer changed.
  files.paths = {dir.file("new.zobj3d")};
  QTest::keyClick(w.Tela1, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(w.doc.fileName, dir.file("new.zobj3d"));
  EXPECT_FALSE(Starred(w));
  EXPECT_TRUE(std::filesystem::exists(dir.file("new.zobj3d")));
}

TEST_F(SafetyFixture, ExportOpensBesideTheDocumentUnderItsName) {
  // Untitled: the folder the dialog was last left in (at first Vist3D/
  // beside the program), and no name.
  auto& w = Open();
  files.leftIn = dir.file("elsewhere/");
  w.Exportar1->trigger();
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_EQ(files.questions[0].folder, DataPath("Vist3D/"));
  EXPECT_EQ(files.questions[0].proposed, "");
  EXPECT_EQ(files.questions[0].filters.value(files.questions[0].filterIndex), "*.obj");
  files.leftIn.clear();
  w.Salvarcomo1->trigger();
  ASSERT_EQ(files.questions.size(), 2u);
  EXPECT_EQ(files.questions[1].folder, dir.file("elsewhere/"));
  EXPECT_EQ(files.questions[1].proposed, "");

  // A document's export proposes its own name with ".obj", in its folder.
  std::filesystem::create_directories(dir.file("sub"));
  WriteElements(dir.file("sub/room.zobj3d"), {Cube("a", 0)});
  files.paths = {dir.file("sub/room.zobj3d")};
  w.Abrir1->trigger();
  files.paths = {dir.file("sub/room.obj")};
  w.Exportar1->trigger();
  ASSERT_EQ(files.questions.size(), 4u);
  EXPECT_EQ(files.questions[3].folder, dir.file("sub/"));
  EXPECT_EQ(files.questions[3].proposed, "room.obj");
  EXPECT_TRUE(std::filesystem::exists(dir.file("sub/room.obj")));
  EXPECT_EQ(w.doc.fileName, dir.file("sub/room.zobj3d"));
}

// The real save dialog gets the question: it opens beside the document with
// its name, and picking "*.obj" turns that name into the export's.
TEST_F(SafetyFixture, TheRealSaveDialogOpensBesideTheDocument) {
  std::filesystem::create_directories(dir.file("sub"));
  WriteElements(dir.file("sub/room.zobj3d"), {Cube("a", 0)});
  auto& w = Start(dir.file("sub/room.zobj3d"));
  SetFileNameAsker(nullptr);  // the real dialog, answered here
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
  w.Salvarcomo1->trigger();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(std::filesystem::exists(dir.file("sub/room.obj")));
}

TEST_F(SafetyFixture, RecentDocumentsListTheLastEightAndGreyMissingOnes) {
  for (int i = 0; i < 10; ++i) WriteElements(dir.file("d" + std::to_string(i) + ".zobj3d"), {Cube("a", i)});
  auto& w = Start(dir.file("d0.zobj3d"));
  for (int i = 1; i < 10; ++i) {
    files.paths = {dir.file("d" + std::to_string(i) + ".zobj3d")};
    w.Abrir1->trigger();
  }
  std::filesystem::remove(dir.file("d8.zobj3d"));
  window.reset();

  // A new window reads the list back: newest first, eight of them.
  auto& again = Open();
  FileMenu(again, 'm');  // the recent documents submenu
  QMenu* recent = again.Recentes1;
  QTRY_VERIFY(recent->isVisible());
  const QList<QAction*> items = recent->actions();
  ASSERT_EQ(items.size(), 8);
  EXPECT_TRUE(items[0]->text().endsWith("d9.zobj3d"));
  EXPECT_TRUE(items[7]->text().endsWith("d2.zobj3d"));
  EXPECT_FALSE(items[1]->isEnabled());  // d8 is gone
  EXPECT_TRUE(items[2]->isEnabled());

  // Choosing one opens it, after the question about unsaved work.
  QTest::keyClick(recent, Qt::Key_3);  // d7
  QTRY_COMPARE(again.doc.fileName, dir.file("d7.zobj3d"));
  EXPECT_EQ(+again.doc.Element(0).x, 7);
  MoveFirstElement(again);
  answers.saveAnswer = SaveAnswer::Cancel;
  FileMenu(again, 'm');
  QTRY_VERIFY(again.Recentes1->isVisible());
  QTest::keyClick(again.Recentes1, Qt::Key_4);  // d6 now, after d7, d9 and d8
  QApplication::processEvents();
  EXPECT_EQ(answers.saveQuestions.size(), 1u);
  EXPECT_EQ(again.doc.fileName, dir.file("d7.zobj3d"));
}
