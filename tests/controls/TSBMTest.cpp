#include <QtTest>

#include <string>
#include <vector>

#include "MouseHelpers.h"
#include "controls/PictureTools.h"
#include "controls/TSBM.h"

class TSBMTest : public QObject {
  Q_OBJECT
  std::vector<std::string> log;

  TSBM* Make(QWidget* parent, const char* caption) {
    auto* b = new TSBM(parent);
    b->setGeometry(0, 0, 36, 39);
    b->setCaption(caption);
    b->OnClick = [this, b](QObject*) { log.push_back("click " + std::string(b->Down() ? "down" : "up")); };
    b->OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("mousedown"); };
    b->OnMouseUp = [this, b](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
      log.push_back("mouseup " + std::string(b->Down() ? "down" : "up"));
    };
    return b;
  }

 private slots:
  void init() { log.clear(); }

  void momentaryClickOrderAndReleaseOutside() {
    QWidget w;
    TSBM* b = Make(&w, "G");
    Press(b, QPoint(10, 10));
    QVERIFY(b->MostradoAbaixo());
    Release(b, QPoint(10, 10));
    QVERIFY(!b->MostradoAbaixo());
    QCOMPARE(log, (std::vector<std::string>{"mousedown", "click up", "mouseup up"}));

    log.clear();
    Press(b, QPoint(10, 10));
    Move(b, QPoint(60, 10));
    QVERIFY(!b->MostradoAbaixo());  // drawn up while the pointer is away
    Release(b, QPoint(60, 10));
    QCOMPARE(log, (std::vector<std::string>{"mousedown", "mouseup up"}));

    log.clear();
    Click(b, QPoint(10, 10), Qt::RightButton);
    Move(b, QPoint(12, 12), Qt::NoButton);
    QVERIFY(log.empty());
  }

  void lonePerspectiveToggleAlternatesAndHandlersSeeTheNewState() {
    QWidget w;
    TSBM* b = Make(&w, "P");
    b->setGroupIndex(1);
    b->setAllowAllUp(true);
    Click(b, QPoint(5, 5));
    QVERIFY(b->Down());
    Click(b, QPoint(5, 5));
    QVERIFY(!b->Down());
    QCOMPARE(log, (std::vector<std::string>{"mousedown", "click down", "mouseup down", "mousedown", "click up",
                                            "mouseup up"}));
  }

  void groupMembersReleaseEachOther() {
    QWidget w;
    TSBM* a = Make(&w, "A");
    TSBM* b = Make(&w, "B");
    TSBM* other = Make(&w, "C");
    for (TSBM* x : {a, b}) x->setGroupIndex(2);
    other->setGroupIndex(3);
    other->setDown(true);
    a->setDown(true);
    QVERIFY(a->Down() && a->MostradoAbaixo());
    Click(b, QPoint(5, 5));
    QVERIFY(b->Down());
    QVERIFY(!a->Down());
    QVERIFY(!a->MostradoAbaixo());
    QVERIFY(other->Down());  // another group is left alone
    Click(b, QPoint(5, 5));
    QVERIFY(b->Down());  // without AllowAllUp a down member stays down

    log.clear();
    a->setExecutaEventoDown(true);
    a->setDown(true);
    a->setDown(true);  // unchanged: no second event
    QCOMPARE(log, (std::vector<std::string>{"click down"}));
  }

  void flatButtonShowsItsFrameOnlyUnderTheMouseOrDown() {
    QWidget w;
    TSBM* b = Make(&w, "");
    b->setColor(clWhite);
    b->setW98(true);
    const QColor shadow = WinToQColor(clBtnShadow);
    QCOMPARE(b->grab().toImage().pixelColor(35, 20), QColor(255, 255, 255));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(b, &enter);
    QCOMPARE(b->grab().toImage().pixelColor(35, 20), shadow);
    b->setW98(false);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    QCOMPARE(b->grab().toImage().pixelColor(35, 20), shadow);
  }

  void pressedPictureMovesOnePixelAndDisabledPictureTurnsGrey() {
    QWidget w;
    TSBM* b = Make(&w, "");
    b->setColor(clWhite);
    QImage glyph(10, 10, QImage::Format_RGB32);
    glyph.fill(QColor(200, 0, 0));
    b->setGlyph(glyph);
    // centred: x = 36/2 - 5 = 13, y = 39/2 - 5 = 14
    QImage up = b->grab().toImage();
    QCOMPARE(up.pixelColor(13, 14), QColor(200, 0, 0));
    QCOMPARE(up.pixelColor(12, 13), QColor(255, 255, 255));
    Press(b, QPoint(5, 5));
    QImage down = b->grab().toImage();
    QCOMPARE(down.pixelColor(14, 15), QColor(200, 0, 0));
    QCOMPARE(down.pixelColor(13, 14), QColor(255, 255, 255));
    Release(b, QPoint(5, 5));
    b->setEnabled(false);
    const int v = ((200 + 0 + 0) / 3) / 2 + 96;
    QCOMPARE(b->grab().toImage().pixelColor(13, 14), QColor(v, v, v));
  }

  void disabledPictureKeepsTheFace() {
    QImage glyph(2, 1, QImage::Format_RGB32);
    glyph.setPixelColor(0, 0, QColor(240, 240, 240));
    glyph.setPixelColor(1, 0, QColor(255, 255, 255));
    const QImage grey = DisabledPicture(glyph, qRgb(240, 240, 240));
    QCOMPARE(grey.pixelColor(0, 0), QColor(240, 240, 240));
    QCOMPARE(grey.pixelColor(1, 0), QColor(223, 223, 223));  // the lightest grey
  }
};

QTEST_MAIN(TSBMTest)
#include "TSBMTest.moc"
