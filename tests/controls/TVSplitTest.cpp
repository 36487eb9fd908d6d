#include <QtTest>

#include "MouseHelpers.h"
#include "controls/ControlHint.h"
#include "controls/TVSplit.h"

class TVSplitTest : public QObject {
  Q_OBJECT

  static TVSplit* Make(QWidget* parent, bool horizontal, int posic, bool r3d, QWidget** first, QWidget** second) {
    auto* s = new TVSplit(parent);
    s->setLargura(5);
    s->setHorizontal(horizontal);
    s->setContrario(true);
    s->setr3d(r3d);
    s->setPosic(posic);
    *first = new QWidget(s);
    *second = new QWidget(s);
    return s;
  }

 private slots:
  // The editor's three splitters at its design size.
  void editorLayoutNumbers() {
    QWidget window;
    window.resize(1346, 414);
    QWidget *vsplit2, *vsplit3;
    TVSplit* vsplit1 = Make(&window, false, 8, false, &vsplit2, &vsplit3);
    window.show();
    vsplit1->setGeometry(0, 0, 1346, 414);
    QCOMPARE(vsplit2->geometry(), QRect(0, 0, 1346, 403));
    QCOMPARE(vsplit3->geometry(), QRect(0, 410, 1346, 5));

    QWidget *tela1, *panel5;
    TVSplit* s2 = Make(&window, true, 151, false, &tela1, &panel5);
    s2->setGeometry(0, 0, 1346, 403);
    s2->show();
    QCOMPARE(tela1->geometry(), QRect(0, 0, 1193, 403));
    QCOMPARE(panel5->geometry(), QRect(1198, 0, 148, 403));

    QWidget *panel3, *panel6;
    TVSplit* s3 = Make(&window, true, 148, true, &panel3, &panel6);
    s3->setGeometry(0, 0, 1346, 5);
    s3->show();
    QCOMPARE(panel3->geometry(), QRect(1, 1, 1195, 3));
    QCOMPARE(panel6->geometry(), QRect(1201, 1, 144, 3));

    // Growing keeps the far pane's size and gives the change to the first.
    s2->resize(1446, 403);
    QCOMPARE(tela1->width(), 1293);
    QCOMPARE(panel5->width(), 148);
  }

  void tagsOrderOrFreezeThePanes() {
    QWidget window;
    QWidget *a, *b;
    TVSplit* s = Make(&window, true, 100, false, &a, &b);
    s->setContrario(false);
    window.show();
    s->setGeometry(0, 0, 400, 50);
    SetTag(a, 1);
    s->Dispoe();
    QCOMPARE(b->x(), 0);
    QCOMPARE(a->x(), 103);

    SetTag(a, 2);
    a->setGeometry(7, 7, 7, 7);
    s->Dispoe();
    QCOMPARE(a->geometry(), QRect(7, 7, 7, 7));

    TVSplit lone;
    QWidget only(&lone);
    only.setGeometry(3, 3, 3, 3);
    lone.resize(300, 100);
    lone.show();
    QCOMPARE(only.geometry(), QRect(3, 3, 3, 3));
  }

  void draggingTheBarMovesItAndReports() {
    QWidget window;
    QWidget *a, *b;
    TVSplit* s = Make(&window, true, 100, false, &a, &b);
    s->setContrario(false);
    window.show();
    s->setGeometry(0, 0, 400, 50);
    int changes = 0;
    s->Altera = [&](QObject*) { ++changes; };
    Press(s, QPoint(101, 20));
    QVERIFY(s->Arrastando());
    Move(s, QPoint(200, 20));
    Release(s, QPoint(200, 20));
    QCOMPARE(s->Posic(), 200);
    QCOMPARE(a->width(), 198 - 0);  // d - 2 with no frame
    QCOMPARE(changes, 1);

    // Beyond the edge the release point is clamped to the container.
    Press(s, QPoint(200, 20));
    Move(s, QPoint(900, 20));
    Release(s, QPoint(900, 20));
    QCOMPARE(s->Posic(), 400);
    QCOMPARE(changes, 2);

    s->setBloqueado(true);
    Press(s, QPoint(400, 20));
    QVERIFY(!s->Arrastando());
    Release(s, QPoint(300, 20));
    QCOMPARE(s->Posic(), 400);
    QCOMPARE(changes, 2);
  }

  void contraryDragMeasuresFromTheFarEdge() {
    QWidget window;
    QWidget *a, *b;
    TVSplit* s = Make(&window, true, 151, false, &a, &b);
    window.show();
    s->setGeometry(0, 0, 1346, 100);
    Press(s, QPoint(1195, 50));
    Release(s, QPoint(1100, 50));
    QCOMPARE(s->Posic(), 246);
    QCOMPARE(b->width(), 1346 - 1100 - 3);
  }

  void percentagePosition() {
    QWidget window;
    QWidget *a, *b;
    TVSplit* s = Make(&window, true, 100, false, &a, &b);
    s->setContrario(false);
    s->setPercentual(true);
    window.show();
    s->setGeometry(0, 0, 407, 50);
    s->setPosicPercentual(25);
    QCOMPARE(s->Posic(), 100);  // round((407 - 1 - 7) * 0.25)
    QCOMPARE(b->x(), 103);
  }
};

QTEST_MAIN(TVSplitTest)
#include "TVSplitTest.moc"
