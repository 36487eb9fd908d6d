#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "common/Dictionary.h"
#include "controls/ControlHint.h"
#include "controls/ControlText.h"
#include "controls/TSBM.h"
#include "controls/WindowTranslation.h"

namespace {
// A small window built the way the editor builds its own.
struct TestWindow {
  QMainWindow window;
  QWidget* central = new QWidget(&window);
  QLabel* label = new QLabel("Arquivo", central);
  QCheckBox* check = new QCheckBox(FromLatin1("Invis\xEDvel"), central);
  TSBM* withHint = new TSBM(central);
  TSBM* withoutHint = new TSBM(central);
  QComboBox* combo = new QComboBox(central);
  QTabBar* tabs = new QTabBar(central);
  QMenu* file = window.menuBar()->addMenu("&Arquivo");
  QAction* newItem = file->addAction("&Novo");
  QAction* separator = file->addSeparator();
  QAction* gridItem = file->addAction("Grade...");
  QAction* noHintItem = file->addAction("Tag name...");

  TestWindow() {
    window.setWindowTitle("Editor de objetos");
    window.setCentralWidget(central);
    withHint->setCaption("Novo");
    withoutHint->setCaption("Novo");
    combo->addItems({"Arquivo", "xyz"});
    tabs->addTab("Novo");
    SetHint(&window, "Object editor");
    SetHint(label, "The file");
    SetHint(check, "Hidden");
    SetHint(withHint, "New button");
    SetHint(newItem, "New");
    SetHint(gridItem, "Grid...");
  }
};

std::string Text(QAction* a) { return ToLatin1(a->text()); }
}  // namespace

class TranslationTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir;

  void Load(const std::string& contents) {
    const std::string path = dir.filePath("tradutorgeral.dat").toStdString();
    std::ofstream(path, std::ios::binary) << contents;
    LoadDictionaryFile(path);
  }

 private slots:
  void cleanup() { FreeDictionary(); }

  void generalDictionaryTranslatesByLookupThenHints() {
    Load("@GENERAL\r\narquivo;File;\r\nnovo;New;\r\ninvisivel;Invisible;\r\n");
    TestWindow t;
    TranslateFormByDictionary(&t.window, true);
    QCOMPARE(t.window.windowTitle(), QString("Object editor"));
    QCOMPARE(t.label->text(), QString("File"));
    QCOMPARE(t.check->text(), QString("Invisible"));  // accents folded for the search
    QCOMPARE(t.withHint->Caption(), std::string("New"));
    QCOMPARE(t.withoutHint->Caption(), std::string("Novo"));  // bitmap buttons need a hint
    QCOMPARE(t.combo->itemText(0), QString("File"));
    QCOMPARE(t.combo->itemText(1), QString("xyz"));
    QCOMPARE(t.tabs->tabText(0), QString("New"));

    TranslateMenuByDictionary(t.window.menuBar());
    QCOMPARE(Text(t.file->menuAction()), std::string("File"));  // "&" dropped from the key
    QCOMPARE(Text(t.newItem), std::string("New"));
    QCOMPARE(Text(t.gridItem), std::string("Grade..."));

    TranslateMainMenuByHints(&t.window);
    QCOMPARE(t.label->text(), QString("The file"));  // the hint wins in the second pass
    QCOMPARE(Text(t.gridItem), std::string("Grid..."));
    QCOMPARE(Text(t.noHintItem), std::string("Tag name..."));  // nothing to choose: Portuguese

    TestWindow noCombo;  // combo items only when asked
    TranslateFormByDictionary(&noCombo.window, false);
    QCOMPARE(noCombo.combo->itemText(0), QString("Arquivo"));
    QCOMPARE(noCombo.label->text(), QString("File"));
  }

  // A dictionary into another language: its texts must not give way to the
  // built-in English names, nor be looked up a second time.
  void dictionaryTextsWinOverBuiltInNamesInTheMenu() {
    Load(
        "@GENERAL\r\narquivo;Fichier;\r\ngrade...;Grille...;\r\ntag name...;Nom de balise...;\r\n"
        "balise;Marque;\r\nnovo;;\r\n");
    TestWindow t;
    TranslateFormByDictionary(&t.window, true);
    TranslateMenuByDictionary(t.window.menuBar());
    TranslateMainMenuByHints(&t.window);
    QCOMPARE(Text(t.file->menuAction()), std::string("Fichier"));
    QCOMPARE(Text(t.gridItem), std::string("Grille..."));
    QCOMPARE(Text(t.noHintItem), std::string("Nom de balise..."));
    QCOMPARE(Text(t.newItem), std::string("New"));   // an empty translation is none
    QCOMPARE(t.label->text(), QString("The file"));  // the controls keep taking their hints
  }
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
