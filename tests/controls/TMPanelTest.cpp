#include <QPainter>
#include <QtTest>
#include <string>
#include <vector>

#include "MouseHelpers.h"
#include "controls/TMButton.h"
#include "controls/TMPanel.h"

class TMPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void ownerPaintsEverythingAndRepaintGoesStraightToIt() {
    QWidget w;
    auto* panel = new TMPanel(&w);
    panel->setGeometry(0, 0, 50, 40);
    panel->setColor(clWhite);
    int paints = 0;
    panel->OnPaint = [&](QObject*) { ++paints; };
    panel->Repaint();
    QCOMPARE(paints, 1);  // no paint event needed
    panel->OnPaint = [&](QObject*) {
      ++paints;
      QPainter(panel).fillRect(0, 0, 10, 10, Qt::red);
    };
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int before = paints;
    const QImage shot = panel->grab().toImage();
    QVERIFY(paints > before);
    QCOMPARE(shot.pixelColor(2, 2), QColor(Qt::red));
    QVERIFY(shot.pixelColor(30, 30) != QColor(255, 255, 255));  // never filled with Color
  }

  void selfPaintedPanelBevelsAndTilesItsPicture() {
    TMPanel panel;
    panel.resize(60, 40);
    panel.setColor(RGBColor(0, 128, 0));
    panel.setBevelOuter(TMPanel::bvRaised);
    panel.setBevelInner(TMPanel::bvLowered);
    panel.setBorderWidth(2);
    panel.setTracoBtn(true);
    QCOMPARE(panel.ClientArea(), QRect(6, 6, 48, 28));
    const QImage shot = panel.grab().toImage();
    QCOMPARE(shot.pixelColor(0, 0), WinToQColor(clBtnHighlight));
    QCOMPARE(shot.pixelColor(59, 39), WinToQColor(clBtnShadow));
    QCOMPARE(shot.pixelColor(2, 20), QColor(0, 128, 0));

    TMPanel tiled;
    tiled.resize(25, 10);
    QImage tile(10, 10, QImage::Format_RGB32);
    tile.fill(Qt::white);
    tile.setPixelColor(0, 0, Qt::blue);
    tiled.setFigura(tile);
    const QImage tiles = tiled.grab().toImage();
    QCOMPARE(tiles.pixelColor(20, 0), QColor(Qt::blue));
    QCOMPARE(tiles.pixelColor(21, 0), QColor(Qt::white));
  }

  void transparencyIsAppliedOnlyWhenAsked() {
    QWidget w;
    auto* panel = new TMPanel(&w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    panel->setTransparentValue(-1);
    QVERIFY(panel->graphicsEffect() == nullptr);
    QVERIFY(!panel->testAttribute(Qt::WA_TransparentForMouseEvents));
    panel->setTransparentValue(-100);
    panel->repaint();
    QTRY_VERIFY(panel->graphicsEffect() != nullptr);
    QVERIFY(panel->testAttribute(Qt::WA_TransparentForMouseEvents));  // clicks pass through
    panel->setTransparentValue(-1);
    QVERIFY(panel->graphicsEffect() == nullptr);
  }

  // A click counts once, on a release inside; the pictures follow the state.
  void buttonClicksOnReleaseInsideAndShowsItsState() {
    TMButton button;
    button.resize(75, 25);
    std::vector<std::string> log;
    button.OnClick = [&](QObject*) { log.push_back("click"); };
    button.OnClickDepois = [&](QObject*) { log.push_back("depois"); };
    button.OnMouseUp = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("up"); };
    button.setCores(true);
    button.setFigura(QImage(4, 4, QImage::Format_RGB32));
    button.setFiguraDown(QImage(5, 5, QImage::Format_RGB32));
    QCOMPARE(button.FiguraAtual().size(), QSize(4, 4));
    Press(&button, QPoint(10, 10));
    QCOMPARE(button.CorAtual(), button.CorDown());
    QCOMPARE(button.FiguraAtual().size(), QSize(5, 5));
    Release(&button, QPoint(10, 10));
    QCOMPARE(log, (std::vector<std::string>{"click", "depois", "up"}));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    QCOMPARE(button.FiguraAtual().size(), QSize(4, 4));  // no hover picture: the normal one

    log.clear();
    Press(&button, QPoint(10, 10));
    Move(&button, QPoint(0, 10));  // the outermost pixel is outside
    QVERIFY(!button.Pressionado());
    Release(&button, QPoint(0, 10));
    QCOMPARE(log, (std::vector<std::string>{"up"}));
  }
};

QTEST_MAIN(TMPanelTest)
#include "TMPanelTest.moc"
