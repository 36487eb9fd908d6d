#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "controls/ControlHint.h"
#include "controls/ControlText.h"
#include "controls/TSBM.h"
#include "controls/WindowTranslation.h"
#include "common/Dictionary.h"

namespace {
// A small window built the way the editor builds its own.
struct TestWindow {
  QMainWindow window;
  QLabel* label;
  QCheckBox* check;
  TSBM* withHint;
  TSBM* withoutHint;
  QComboBox* combo;
  QTabBar* tabs;
  QAction* fileMenu;
  QAction* newItem;
  QAction* gridItem;
  QAction* noHintItem;

  TestWindow() {
    window.setWindowTitle("Editor de objetos");
    SetHint(&window, "Object editor");
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    label = new QLabel("Arquivo", central);
    SetHint(label, "The file");
    check = new QCheckBox(FromLatin1("Invis\xEDvel"), central);
    SetHint(check, "Hidden");
    withHint = new TSBM(central);
    withHint->setCaption("Novo");
    SetHint(withHint, "New button");
    withoutHint = new TSBM(central);
    withoutHint->setCaption("Novo");
    combo = new QComboBox(central);
    combo->addItems({"Arquivo", "xyz"});
    tabs = new QTabBar(central);
    tabs->addTab("Novo");
    QMenu* file = window.menuBar()->addMenu("&Arquivo");
    fileMenu = file->menuAction();
    newItem = file->addAction("&Novo");
    SetHint(newItem, "New");
    file->addSeparator();
    gridItem = file->addAction("Grade...");
    SetHint(gridItem, "Grid...");
    noHintItem = file->addAction("Tag name...");
  }
};

std::string Text(QAction* a) { return ToLatin1(a->text()); }
}  // namespace

class TranslationTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir;

  void Load(const std::string& contents) {
    const std::string path = QDir(dir.path()).filePath("tradutorgeral.dat").toStdString();
    std::ofstream(path, std::ios::binary) << contents;
    FreeDictionary();
    LoadDictionaryFile(path);
  }

 private slots:
  void cleanup() { FreeDictionary(); }

  void withoutDictionaryNothingChanges() {
    FreeDictionary();
    TestWindow t;
    TranslateFormByDictionary(&t.window, true);
    TranslateMenuByDictionary(t.window.menuBar());
    TranslateMainMenuByHints(&t.window);
    QCOMPARE(t.window.windowTitle(), QString("Editor de objetos"));
    QCOMPARE(t.label->text(), QString("Arquivo"));
    QCOMPARE(Text(t.gridItem), std::string("Grade..."));
  }

  void generalDictionaryTranslatesByLookupAndChoose() {
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
    QCOMPARE(Text(t.fileMenu), std::string("File"));  // "&" dropped from the key
    QCOMPARE(Text(t.newItem), std::string("New"));
    QCOMPARE(Text(t.gridItem), std::string("Grade..."));

    TranslateMainMenuByHints(&t.window);
    QCOMPARE(t.label->text(), QString("The file"));  // the hint wins in the second pass
    QCOMPARE(Text(t.gridItem), std::string("Grid..."));
    QCOMPARE(Text(t.noHintItem), std::string("Tag name..."));  // nothing to choose: Portuguese
  }

  // A dictionary into another language: its texts must not give way to the
  // built-in English names, nor be looked up a second time.
  void dictionaryTextsWinOverBuiltInNamesInTheMenu() {
    Load("@GENERAL\r\narquivo;Fichier;\r\ngrade...;Grille...;\r\ntag name...;Nom de balise...;\r\n"
         "balise;Marque;\r\nnovo;;\r\n");
    TestWindow t;
    TranslateFormByDictionary(&t.window, true);
    TranslateMenuByDictionary(t.window.menuBar());
    TranslateMainMenuByHints(&t.window);
    QCOMPARE(Text(t.fileMenu), std::string("Fichier"));
    QCOMPARE(Text(t.gridItem), std::string("Grille..."));
    QCOMPARE(Text(t.noHintItem), std::string("Nom de balise..."));
    // An empty translation is none: the built-in name is shown.
    QCOMPARE(Text(t.newItem), std::string("New"));
    // Only the menu: the controls keep taking their hints.
    QCOMPARE(t.label->text(), QString("The file"));
  }

  void comboItemsOnlyWhenAsked() {
    Load("@GENERAL\r\narquivo;File;\r\n");
    TestWindow t;
    TranslateFormByDictionary(&t.window, false);
    QCOMPARE(t.combo->itemText(0), QString("Arquivo"));
    QCOMPARE(t.label->text(), QString("File"));
  }

  void plainDictionaryShowsTheAlternateTexts() {
    Load("header\r\narquivo;File;\r\n");
    TestWindow t;
    TranslateFormByHints(&t.window, false);
    QCOMPARE(t.label->text(), QString("The file"));
    QCOMPARE(t.check->text(), QString("Hidden"));
    QCOMPARE(t.withoutHint->Caption(), std::string("Novo"));
    TranslateMainMenuByHints(&t.window);
    QCOMPARE(Text(t.newItem), std::string("New"));
    QCOMPARE(Text(t.fileMenu), std::string("&Arquivo"));  // no hint: Portuguese stays
    QCOMPARE(Choose("Grade", "Grid"), std::string("Grid"));
    QCOMPARE(Lookup("Arquivo"), std::string("File"));
  }
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
