#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "MouseHelpers.h"
#include "controls/TSBM.h"

using Log = std::vector<std::string>;

class TSBMTest : public QObject {
  Q_OBJECT
  Log log;
  std::unique_ptr<QWidget> window;

  // A key-sized button whose handlers log the state they see.
  TSBM* Make(const char* caption, int group = 0) {
    auto* b = new TSBM(window.get());
    b->setGeometry(0, 0, 36, 39);
    b->setCaption(caption);
    b->setGroupIndex(group);
    b->setColor(clWhite);
    auto state = [b] { return std::string(b->Down() ? " down" : " up"); };
    b->OnClick = [this, state](QObject*) { log.push_back("click" + state()); };
    b->OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("mousedown"); };
    b->OnMouseUp = [this, state](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
      log.push_back("mouseup" + state());
    };
    return b;
  }

 private slots:
  void init() {
    log.clear();
    window = std::make_unique<QWidget>();
  }

  void momentaryClickOrderAndReleaseOutside() {
    TSBM* b = Make("G");
    Press(b, QPoint(10, 10));
    QVERIFY(b->MostradoAbaixo());
    Release(b, QPoint(10, 10));
    QVERIFY(!b->MostradoAbaixo());
    QCOMPARE(log, (Log{"mousedown", "click up", "mouseup up"}));
    log.clear();
    Press(b, QPoint(10, 10));
    Move(b, QPoint(60, 10));
    QVERIFY(!b->MostradoAbaixo());  // drawn up while the pointer is away
    Release(b, QPoint(60, 10));
    QCOMPARE(log, (Log{"mousedown", "mouseup up"}));
    log.clear();
    Click(b, QPoint(10, 10), Qt::RightButton);
    Move(b, QPoint(12, 12), Qt::NoButton);
    QVERIFY(log.empty());
  }

  void groupMembersToggleAndReleaseEachOther() {
    TSBM* lone = Make("P", 1);  // alone in its group with AllowAllUp: it alternates
    lone->setAllowAllUp(true);
    Click(lone, QPoint(5, 5));
    QVERIFY(lone->Down());
    Click(lone, QPoint(5, 5));
    QVERIFY(!lone->Down());
    QCOMPARE(log, (Log{"mousedown", "click down", "mouseup down", "mousedown", "click up", "mouseup up"}));

    TSBM *a = Make("A", 2), *b = Make("B", 2), *other = Make("C", 3);
    other->setDown(true);
    a->setDown(true);
    QVERIFY(a->MostradoAbaixo());
    Click(b, QPoint(5, 5));
    QVERIFY(b->Down() && !a->Down() && !a->MostradoAbaixo());
    QVERIFY(other->Down());  // another group is left alone
    Click(b, QPoint(5, 5));
    QVERIFY(b->Down());  // without AllowAllUp a down member stays down
    log.clear();
    a->setExecutaEventoDown(true);
    a->setDown(true);
    a->setDown(true);  // unchanged: no second event
    QCOMPARE(log, (Log{"click down"}));
  }

  void flatButtonShowsItsFrameOnlyUnderTheMouseOrDown() {
    TSBM* b = Make("");
    b->setW98(true);
    auto edge = [b] { return b->grab().toImage().pixelColor(35, 20); };
    QCOMPARE(edge(), QColor(255, 255, 255));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(b, &enter);
    QCOMPARE(edge(), WinToQColor(clBtnShadow));
    b->setW98(false);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    QCOMPARE(edge(), WinToQColor(clBtnShadow));
  }

  // Pressed, the picture moves one pixel; disabled, it turns grey but keeps the face colour.
  void pictureFollowsPressAndDisabledState() {
    TSBM* b = Make("");
    const QColor red(200, 0, 0), white(255, 255, 255), face = WinToQColor(clBtnFace);
    QImage glyph(10, 10, QImage::Format_RGB32);
    glyph.fill(red);
    glyph.setPixelColor(9, 9, face);
    b->setGlyph(glyph);
    const QPoint at(13, 14);  // centred in 36 x 39
    QCOMPARE(b->grab().toImage().pixelColor(at), red);
    QCOMPARE(b->grab().toImage().pixelColor(at - QPoint(1, 1)), white);
    Press(b, QPoint(5, 5));
    QCOMPARE(b->grab().toImage().pixelColor(at + QPoint(1, 1)), red);
    QCOMPARE(b->grab().toImage().pixelColor(at), white);
    Release(b, QPoint(5, 5));
    b->setEnabled(false);
    const QImage off = b->grab().toImage();
    const QColor grey = off.pixelColor(at);
    QVERIFY2(grey.red() == grey.green() && grey.green() == grey.blue() && grey.red() >= 96 && grey.red() <= 223,
             qPrintable(grey.name()));
    QCOMPARE(off.pixelColor(at + QPoint(9, 9)), face);
  }
};

QTEST_MAIN(TSBMTest)
#include "TSBMTest.moc"
