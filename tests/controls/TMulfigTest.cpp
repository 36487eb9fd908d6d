#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QPainter>
#include <QtTest>

#include <string>
#include <vector>

#include "MouseHelpers.h"
#include "controls/FaceColors.h"
#include "controls/TMulfig.h"

class TMulfigTest : public QObject {
  Q_OBJECT
  std::vector<std::string> log;

  // A selector laid out as the editor's palette.
  TMulfig* Make(QWidget* parent, int tipo) {
    auto* m = new TMulfig(parent);
    m->setGeometry(0, 0, 120, 26);
    m->setLista({"Cursor", "Cubo", "Cilindro", "Esfera"});
    m->setTipo(tipo);
    m->OnAntesSeleciona = [this](QObject*, bool&, int& novo) { log.push_back("antes " + std::to_string(novo)); };
    m->OnDepoisSeleciona = [this, m](QObject*) { log.push_back("depois " + std::to_string(m->Valor())); };
    m->OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("down"); };
    m->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("up"); };
    return m;
  }
  static QPoint Centre(TMulfig* m, int item) { return m->RetanguloDoItem(item).center(); }

 private slots:
  void init() {
    log.clear();
    CorFaceMulfig = clWhite;
  }

  void layoutOfTheEditorPalette() {
    QWidget w;
    TMulfig* m = Make(&w, 0);
    QCOMPARE(m->RetanguloDoItem(0), QRect(QPoint(1, 1), QPoint(24, 21)));
    QCOMPARE(m->RetanguloDoItem(1).left(), 25);
    QCOMPARE(m->ItemEm(24, 21), 0);  // edges belong to the first item that holds them
    QCOMPARE(m->ItemEm(25, 10), 1);
    QCOMPARE(m->ItemEm(119, 10), -1);
  }

  void assigningValorRunsTheBeforeAndAfterEvents() {
    QWidget w;
    TMulfig* m = Make(&w, 0);
    m->setValor(2);
    QCOMPARE(log, (std::vector<std::string>{"antes 2", "depois 2"}));

    log.clear();
    m->OnAntesSeleciona = [](QObject*, bool& ok, int&) { ok = false; };
    m->setValor(3);
    QCOMPARE(m->Valor(), 2);
    QVERIFY(log.empty());

    m->OnAntesSeleciona = [](QObject*, bool&, int& novo) { novo = 1; };
    m->setValor(3);
    QCOMPARE(m->Valor(), 1);
    QCOMPARE(log, (std::vector<std::string>{"depois 1"}));

    log.clear();
    m->setSemEvento(true);
    m->setValor(0);
    QCOMPARE(m->Valor(), 0);
    QVERIFY(log.empty());
  }

  void stickyRowSelectsOnPressAndNeverReportsMouseUp() {
    QWidget w;
    TMulfig* m = Make(&w, 0);
    Click(m, Centre(m, 3));
    QCOMPARE(m->Valor(), 3);
    QCOMPARE(log, (std::vector<std::string>{"antes 3", "depois 3", "down"}));

    log.clear();
    Click(m, QPoint(110, 10));  // beyond the last item
    QCOMPARE(m->Valor(), 3);
    QCOMPARE(log, (std::vector<std::string>{"down"}));
  }

  void momentaryRowFiresOnlyOnReleaseOverThePressedItem() {
    QWidget w;
    TMulfig* m = Make(&w, 1);
    Press(m, Centre(m, 1));
    QCOMPARE(log, (std::vector<std::string>{"antes 1"}));
    QVERIFY(m->Pressionando());
    Release(m, Centre(m, 1));
    QCOMPARE(log, (std::vector<std::string>{"antes 1", "depois 1", "up"}));
    QCOMPARE(m->Valor(), -1);

    log.clear();
    Press(m, Centre(m, 2));
    Move(m, Centre(m, 3));
    QVERIFY(m->Pressionando());  // the press goes on, drawn released
    Release(m, Centre(m, 3));
    QCOMPARE(log, (std::vector<std::string>{"antes 2", "up"}));
    QCOMPARE(m->Valor(), -1);
    QVERIFY(!m->Pressionando());
  }

  void keyboardChoiceOnAMomentaryRowStaysDrawnPressedUntilTheNextClick() {
    QWidget w;
    TMulfig* m = Make(&w, 1);
    m->setValor(2);
    QCOMPARE(log, (std::vector<std::string>{"antes 2", "depois 2"}));
    const QPoint corner = m->RetanguloDoItem(2).topLeft();
    QCOMPARE(m->grab().toImage().pixelColor(corner), QColor(119, 119, 119));
    Click(m, Centre(m, 0));
    QCOMPARE(m->Valor(), -1);
    QCOMPARE(m->grab().toImage().pixelColor(corner), QColor(255, 255, 255));
  }

  void passingPointerNeverErasesTheChosenFrameOfAStickyRow() {
    QWidget w;
    w.resize(130, 30);
    TMulfig* m = Make(&w, 0);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(m, Centre(m, 2));
    // What the screen shows: a grab of the widget would paint it afresh.
    auto framed = [&w, m](int item) {
      const QImage shot = w.screen()->grabWindow(w.winId()).toImage();
      return shot.pixelColor(m->mapTo(&w, m->RetanguloDoItem(item).topLeft())) == QColor(119, 119, 119);
    };
    for (int item : {0, 1, 3, 2, 1}) {
      Move(m, Centre(m, item), Qt::NoButton);
      QVERIFY2(framed(2), std::to_string(item).c_str());
      QVERIFY(!framed(item == 2 ? 0 : item));
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m, &leave);
    QVERIFY(framed(2));
    QCOMPARE(m->Valor(), 2);
    // Another click moves the frame; the old item loses it.
    Click(m, Centre(m, 0));
    QVERIFY(framed(0));
    QVERIFY(!framed(2));
  }

  void vetoOnPressLeavesEverythingAlone() {
    QWidget w;
    TMulfig* m = Make(&w, 0);
    m->setValor(1);
    log.clear();
    m->OnAntesSeleciona = [](QObject*, bool& ok, int&) { ok = false; };
    Click(m, Centre(m, 2));
    QCOMPARE(m->Valor(), 1);
    QVERIFY(log.empty());
  }

  void paintingShowsFacePressedBorderAndCaption() {
    QWidget w;
    w.resize(130, 30);
    TMulfig* m = Make(&w, 0);
    m->setFiguraDoItem(0, QImage());  // no picture: the caption is drawn
    QImage cube(16, 16, QImage::Format_RGB32);
    cube.fill(QColor(0, 0, 255));
    m->setFiguraDoItem(1, cube);
    m->setSemEvento(true);
    m->setValor(1);
    const QImage shot = m->grab().toImage();
    const QRect r1 = m->RetanguloDoItem(1);
    QCOMPARE(shot.pixelColor(r1.topLeft()), QColor(119, 119, 119));  // pressed frame
    QCOMPARE(shot.pixelColor(m->RetanguloDoItem(2).topLeft()), QColor(255, 255, 255));
    // the picture sits one pixel right and down while pressed
    const int W = r1.width(), H = r1.height();
    const QPoint pictureTopLeft = r1.topLeft() + QPoint((W - 1) / 2 - 8 + 1, (H - 1) / 2 - 8 + 1);
    QCOMPARE(shot.pixelColor(pictureTopLeft), QColor(0, 0, 255));
    QCOMPARE(shot.pixelColor(pictureTopLeft - QPoint(1, 1)), QColor(255, 255, 255));
    // the caption of item 0 leaves ink on the white face
    bool ink = false;
    const QRect r0 = m->RetanguloDoItem(0).adjusted(1, 1, -1, -1);
    for (int y = r0.top(); y <= r0.bottom(); ++y)
      for (int x = r0.left(); x <= r0.right(); ++x) ink = ink || shot.pixelColor(x, y).lightness() < 128;
    QVERIFY(ink);
  }

  void ownerDrawHookSeesTheInsideOfEveryItem() {
    QWidget w;
    TMulfig* m = Make(&w, 0);
    std::vector<QRect> seen;
    m->OnDesenhaMulfig = [&](QObject*, int, int x1, int y1, int x2, int y2, QPainter&) {
      seen.push_back(QRect(QPoint(x1, y1), QPoint(x2, y2)));
    };
    m->grab();
    QCOMPARE(seen.size(), size_t(4));
    QCOMPARE(seen[0], QRect(QPoint(2, 2), QPoint(23, 20)));
  }

  void picturesTakeTheFaceColourAndShiftBetweenSlots() {
    TMulfig m;
    m.setLista({"a", "b", "c"});
    QImage grey(4, 4, QImage::Format_RGB32);
    grey.fill(QColor(212, 208, 200));
    grey.setPixelColor(0, 0, QColor(10, 20, 30));
    m.setFiguraDoItem(0, grey);
    m.AjustaFundoDasFiguras();
    QCOMPARE(m.FiguraDoItem(0).pixelColor(1, 1), QColor(255, 255, 255));
    QCOMPARE(m.FiguraDoItem(0).pixelColor(0, 0), QColor(10, 20, 30));

    QImage b(2, 2, QImage::Format_RGB32), c(3, 3, QImage::Format_RGB32);
    m.setFiguraDoItem(1, b);
    m.setFiguraDoItem(2, c);
    m.setFiguraNum(1);
    m.FiguraInsere();
    QVERIFY(m.FiguraDoItem(1).isNull());
    QCOMPARE(m.FiguraDoItem(2).size(), QSize(2, 2));  // c fell off the end
    m.FiguraApaga();
    QCOMPARE(m.FiguraDoItem(1).size(), QSize(2, 2));
    QVERIFY(m.FiguraDoItem(2).isNull());
  }
};

QTEST_MAIN(TMulfigTest)
#include "TMulfigTest.moc"
