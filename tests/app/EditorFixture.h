#pragma once
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FileNameDialogs.h"
#include "TBarraDeEstado.h"
#include "TFE3DAtributos1.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "TestFolder.h"
#include "common/Dictionary.h"
#include "controls/MessageBoxes.h"
#include "controls/TMPanel.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "controls/TZSpinEdit.h"
#include "document/DocumentFile.h"
#include "gl/Picking.h"

// A control of the window found by its name, as an accessibility tool finds
// it; a missing one ends the run with its name.
template <class T>
T* Child(const QObject& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  if (!found) qFatal("the window has no control named %s", name);
  return found;
}
// The 3D view.
inline TGLPanel* ViewOf(const QObject& window) { return Child<TGLPanel>(window, "Tela1"); }
// The key row's buttons, in the order they stand.
inline QList<TSBM*> KeyButtons(const QObject& window) {
  return Child<QWidget>(window, "keyRow")->findChildren<TSBM*>();
}

// A 2 x 2 x 2 cube standing on the floor at x, as a saved document holds it.
inline Element3D Cube(const char* name, double x) {
  Element3D e{};
  e.name.assign(name);
  e.dx = e.dy = e.dz = 2;
  e.x = x;
  e.y = 1;
  e.chamfer = 0.27;
  e.topPercent = 100;
  return e;
}

inline void Fill(TIMem32& store, const std::vector<Element3D>& elements) {
  store.RecordSize = kElementRecordSize;
  store.SetCount(static_cast<int32_t>(elements.size()));
  for (size_t i = 0; i < elements.size(); ++i) store.As<Element3D>(static_cast<int32_t>(i)) = elements[i];
}

inline void WriteElements(const std::string& path, const std::vector<Element3D>& elements) {
  TIMem32 store;
  Fill(store, elements);
  ASSERT_TRUE(WriteDocument(path, store).ok()) << path;
}

inline std::vector<Element3D> ReadElements(const std::string& path) {
  TIMem32 store;
  store.RecordSize = kElementRecordSize;
  EXPECT_TRUE(ReadDocument(path, store).ok()) << path;
  std::vector<Element3D> elements;
  for (int32_t i = 0; i < store.Count(); ++i) elements.push_back(store.As<Element3D>(i));
  return elements;
}

// Answers the program's message boxes as told and records what they said.
struct RecordingBoxes : MessageBoxes {
  std::vector<std::string> warnings, saveQuestions, recoveryQuestions;
  SaveAnswer saveAnswer = SaveAnswer::Cancel;
  std::deque<RecoveryAnswer> recoveryAnswers;  // Later once used up
  int recoveryCopy = 0;                        // the line Open takes
  std::vector<std::vector<std::string>> recoveryLists;
  void Warning(const std::string& text) override { warnings.push_back(text); }
  bool Confirmation(const std::string&) override { return true; }
  SaveAnswer SaveQuestion(const std::string& text) override {
    saveQuestions.push_back(text);
    return saveAnswer;
  }
  RecoveryChoice RecoveryQuestion(const std::string& text, const std::vector<std::string>& copies) override {
    recoveryQuestions.push_back(text);
    recoveryLists.push_back(copies);
    if (recoveryAnswers.empty()) return {};
    const RecoveryAnswer a = recoveryAnswers.front();
    recoveryAnswers.pop_front();
    return {a, a == RecoveryAnswer::Open ? recoveryCopy : -1};
  }
};

// Answers the file dialogs with the next of `paths` (none: cancelled) and
// records each question; the dialog is left in `leftIn` when that is set.
struct RecordingFileDialogs : FileNameAsker {
  std::vector<FileNameQuestion> questions;
  std::deque<std::string> paths;
  std::string leftIn;
  FileNameAnswer Ask(const FileNameQuestion& q, QWidget*) override {
    questions.push_back(q);
    FileNameAnswer a;
    if (!paths.empty()) a.path = paths.front(), paths.pop_front();
    a.folder = !leftIn.empty() ? leftIn : a.path.empty() ? q.folder : a.path.substr(0, a.path.rfind('/') + 1);
    return a;
  }
};

// Answers every attributes dialog while it lives: records the name it
// showed, then types `name` and confirms (an empty name cancels).
struct AttributesAnswers {
  std::string name;
  std::vector<std::string> shown;
  QTimer timer;
  AttributesAnswers() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<TFE3DAtributos1*>(QApplication::activeModalWidget());
      if (!dialog || dialog->property("answered").toBool()) return;
      dialog->setProperty("answered", true);
      shown.push_back(dialog->ENome->text().toStdString());
      if (name.empty()) return QTest::mouseClick(dialog->Button1, Qt::LeftButton);
      dialog->ENome->selectAll();
      QTest::keyClicks(dialog->ENome, QString::fromStdString(name));
      QTest::mouseClick(dialog->Button2, Qt::LeftButton);
    });
    timer.start(20);
  }
};
// A shown editor window with its boxes and dialogs answered by the test;
// settings, recent documents and recovery copies stay in the test's folder.
class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.file("config")));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.file("data")));
    SetMessageBoxes(&boxes);
    SetFileNameAsker(&files);
  }
  void TearDown() override {
    window.reset();
    FreeDictionary();  // a test may have switched the language
    SetMessageBoxes(nullptr);
    SetFileNameAsker(nullptr);
  }

  TFEditorDeObjetos1& Open(const QStringList& arguments = {}) {
    return Show(std::make_unique<TFEditorDeObjetos1>(arguments));
  }
  // The arguments as the program hands them over: the system's bytes.
  TFEditorDeObjetos1& OpenBytes(std::vector<std::string> arguments) {
    return Show(std::make_unique<TFEditorDeObjetos1>(std::move(arguments)));
  }
  TFEditorDeObjetos1& Show(std::unique_ptr<TFEditorDeObjetos1> opened) {
    window = std::move(opened);
    window->resize(1346, 700);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // The view takes the keys by itself, as it does for a user.
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == ViewOf(*window); }, 3000));
    return *window;
  }
  TFEditorDeObjetos1& Open(const std::string& document) { return Open(QStringList{QString::fromStdString(document)}); }
  // A saved document of `elements`, opened as the program's argument.
  TFEditorDeObjetos1& OpenWith(const std::vector<Element3D>& elements) {
    WriteElements(dir.file("doc.zobj3d"), elements);
    return Open(dir.file("doc.zobj3d"));
  }

  // A key as the keyboard sends it: to the window, which hands it to
  // whatever holds the focus (and to the menu's shortcuts first).
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(window->windowHandle(), key, mods);
    QApplication::processEvents();
  }

  // Without a window manager nothing gives the window back its activation
  // after a modal box: done here as one would.
  void Reactivate() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  // Two presses on one spot within the double-click interval make a double
  // press, as the events' own times tell: QTest stamps each click past the
  // interval after the last, and a click "at once" is stamped right after it.
  void ClickView(QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::mouseClick(ViewOf(*window), Qt::LeftButton, mods, at, PastDoubleClick());
    QApplication::processEvents();
  }
  void ClickViewAtOnce(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;  // QTest's own gap after a release
    QTest::mouseClick(ViewOf(*window), button, Qt::NoModifier, at);
    QApplication::processEvents();
  }
  static int PastDoubleClick() { return QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50; }

  // Moves the pointer as the desktop does, no button held, over `at` of
  // `over`; the move comes back from the display as an event, and this
  // returns once the window has handled it.
  void MovePointer(const QWidget& over, QPoint at) {
    const QPoint from = QCursor::pos();
    struct Watch : QObject {
      QPoint global;
      bool seen = false;
      bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseMove)
          seen = seen || (static_cast<QMouseEvent*>(e)->globalPosition() - global).manhattanLength() < 2;
        return false;
      }
    } watch;
    QCursor::setPos(over.mapToGlobal(at));
    watch.global = QCursor::pos();     // the screen's edge may stop it short (a scaled desktop)
    if (watch.global == from) return;  // no move, no event
    window->windowHandle()->installEventFilter(&watch);
    EXPECT_TRUE(Soon([&] { return watch.seen; })) << "the pointer's move never came";
    window->windowHandle()->removeEventFilter(&watch);
  }
  void MovePointer(QPoint at) { MovePointer(*ViewOf(*window), at); }

  void ClickListRow(int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QListView* list = Child<QListView>(*window, "Lista1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, list->visualRect(list->model()->index(row, 0)).center());
  }

  // An item of the kinds palette (0: the cursor, 1 to 4: a kind to add).
  void ClickPalette(int item) {
    TMulfig* palette = Child<TMulfig>(*window, "Mulfig1");
    QTest::mouseClick(palette, Qt::LeftButton, Qt::NoModifier, palette->RetanguloDoItem(item).center());
    QApplication::processEvents();
  }

  // A menu item as a user picks it: the menu opened by its access key
  // (Alt+A: Arquivo, Alt+E: Editar), then a click on the item.
  void Pick(char menuKey, QAction* item) {
    QTest::keyClick(window.get(), static_cast<Qt::Key>(menuKey), Qt::AltModifier);
    ASSERT_TRUE(Soon([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; }));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
    QApplication::processEvents();
  }

  // The framebuffer pixel where a world point is drawn in the last frame.
  QPoint FramePixelOf(double x, double y, double z) {
    int px = 0, py = 0;
    ProjectPoint(window->Probe().View(), x, y, z, px, py);
    return {px, py};
  }
  // Where on the panel a pointer event reaches that point (the two differ
  // on a scaled desktop).
  QPoint PixelOf(double x, double y, double z) { return ViewOf(*window)->FromPixels(FramePixelOf(x, y, z)).toPoint(); }

  // Whether `done` comes true in time (the window's work is queued).
  static bool Soon(const std::function<bool()>& done, int ms = 5000) { return QTest::qWaitFor(done, ms); }

  bool Starred() const { return window->windowTitle().endsWith('*'); }

  // Runs `answer` on the next modal dialog once it is up.
  static void WhenModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        timer->stop();
        timer->deleteLater();
        answer(modal);
      }
    });
    timer->start();
  }

  TestFolder dir;
  RecordingBoxes boxes;
  RecordingFileDialogs files;
  std::unique_ptr<TFEditorDeObjetos1> window;
};
