#include <QImage>
#include <QPainter>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "MouseHelpers.h"
#include "controls/FaceColors.h"
#include "controls/TMulfig.h"

using Log = std::vector<std::string>;

class TMulfigTest : public QObject {
  Q_OBJECT
  Log log;
  std::unique_ptr<QWidget> window;

  // A selector laid out as the editor's palette, logging its events.
  TMulfig* Make(int tipo) {
    auto* m = new TMulfig(window.get());
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
  static QColor Corner(TMulfig* m, int item) {
    return m->grab().toImage().pixelColor(m->RetanguloDoItem(item).topLeft());
  }

 private slots:
  void init() {
    log.clear();
    window = std::make_unique<QWidget>();
    CorFaceMulfig = clWhite;
  }

  void assigningValorRunsTheBeforeAndAfterEvents() {
    TMulfig* m = Make(0);
    m->setValor(2);
    QCOMPARE(log, (Log{"antes 2", "depois 2"}));
    log.clear();
    m->OnAntesSeleciona = [](QObject*, bool& ok, int&) { ok = false; };
    m->setValor(3);
    QCOMPARE(m->Valor(), 2);
    QVERIFY(log.empty());
    m->OnAntesSeleciona = [](QObject*, bool&, int& novo) { novo = 1; };
    m->setValor(3);
    QCOMPARE(m->Valor(), 1);
    QCOMPARE(log, (Log{"depois 1"}));
  }

  // Selects on the press, never reports the release; shared edges go to the first item.
  void stickyRowSelectsOnPress() {
    TMulfig* m = Make(0);
    Click(m, Centre(m, 3));
    QCOMPARE(m->Valor(), 3);
    QCOMPARE(log, (Log{"antes 3", "depois 3", "down"}));
    Click(m, QPoint(24, 21));
    QCOMPARE(m->Valor(), 0);
    Click(m, QPoint(25, 10));
    QCOMPARE(m->Valor(), 1);
    log.clear();
    Click(m, QPoint(119, 10));  // beyond the last item
    QCOMPARE(m->Valor(), 1);
    QCOMPARE(log, (Log{"down"}));
    log.clear();
    m->OnAntesSeleciona = [](QObject*, bool& ok, int&) { ok = false; };
    Click(m, Centre(m, 2));  // a veto leaves everything alone
    QCOMPARE(m->Valor(), 1);
    QVERIFY(log.empty());
  }

  void momentaryRowFiresOnlyOnReleaseOverThePressedItem() {
    TMulfig* m = Make(1);
    Press(m, Centre(m, 1));
    QCOMPARE(log, (Log{"antes 1"}));
    QVERIFY(m->Pressionando());
    Release(m, Centre(m, 1));
    QCOMPARE(log, (Log{"antes 1", "depois 1", "up"}));
    QCOMPARE(m->Valor(), -1);
    log.clear();
    Press(m, Centre(m, 2));
    Move(m, Centre(m, 3));
    QVERIFY(m->Pressionando());  // the press goes on, drawn released
    Release(m, Centre(m, 3));
    QCOMPARE(log, (Log{"antes 2", "up"}));
    QCOMPARE(m->Valor(), -1);
    QVERIFY(!m->Pressionando());

    // Chosen from the keyboard it stays drawn pressed until the next click.
    m->setValor(2);
    QCOMPARE(Corner(m, 2), QColor(119, 119, 119));
    Click(m, Centre(m, 0));
    QCOMPARE(m->Valor(), -1);
    QCOMPARE(Corner(m, 2), QColor(255, 255, 255));
  }

  // SemEvento: a silent assignment that the next paint shows.
  void paintingShowsPressedFramePictureCaptionAndOwnerDrawing() {
    TMulfig* m = Make(0);
    m->setFiguraDoItem(0, QImage());  // no picture: the caption is drawn
    QImage cube(16, 16, QImage::Format_RGB32);
    cube.fill(QColor(0, 0, 255));
    m->setFiguraDoItem(1, cube);
    m->setSemEvento(true);
    m->setValor(1);
    QVERIFY(log.empty());
    std::vector<QRect> inside;
    m->OnDesenhaMulfig = [&](QObject*, int, int x1, int y1, int x2, int y2, QPainter&) {
      inside.push_back(QRect(QPoint(x1, y1), QPoint(x2, y2)));
    };
    const QImage shot = m->grab().toImage();
    const QRect r1 = m->RetanguloDoItem(1);
    QCOMPARE(shot.pixelColor(r1.topLeft()), QColor(119, 119, 119));
    QCOMPARE(shot.pixelColor(m->RetanguloDoItem(2).topLeft()), QColor(255, 255, 255));
    // The picture is centred and sits one pixel right and down while pressed.
    const QPoint picture = r1.topLeft() + QPoint((r1.width() - 1) / 2 - 7, (r1.height() - 1) / 2 - 7);
    QCOMPARE(shot.pixelColor(picture), QColor(0, 0, 255));
    QCOMPARE(shot.pixelColor(picture - QPoint(1, 1)), QColor(255, 255, 255));
    bool ink = false;
    const QRect r0 = m->RetanguloDoItem(0).adjusted(1, 1, -1, -1);
    for (int y = r0.top(); y <= r0.bottom(); ++y)
      for (int x = r0.left(); x <= r0.right(); ++x) ink = ink || shot.pixelColor(x, y).lightness() < 128;
    QVERIFY2(ink, "no caption on item 0");
    QCOMPARE(inside.size(), size_t(4));
    QCOMPARE(inside[0], QRect(QPoint(2, 2), QPoint(23, 20)));
  }

  // Pictures drawn on the usual grey sit on the selector's white face.
  void picturesTakeTheFaceColour() {
    TMulfig m;
    m.setLista({"a", "b", "c"});
    QImage grey(4, 4, QImage::Format_RGB32);
    grey.fill(QColor(212, 208, 200));
    grey.setPixelColor(0, 0, QColor(10, 20, 30));
    m.setFiguraDoItem(0, grey);
    m.AjustaFundoDasFiguras();
    QCOMPARE(m.FiguraDoItem(0).pixelColor(1, 1), QColor(255, 255, 255));
    QCOMPARE(m.FiguraDoItem(0).pixelColor(0, 0), QColor(10, 20, 30));
  }
};

QTEST_MAIN(TMulfigTest)
#include "TMulfigTest.moc"
