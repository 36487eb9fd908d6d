#include <QtTest>
#include <memory>

#include "MouseHelpers.h"
#include "controls/ControlHint.h"
#include "controls/TVSplit.h"

class TVSplitTest : public QObject {
  Q_OBJECT
  std::unique_ptr<QWidget> window;

  struct Split {
    TVSplit* s;
    QWidget *a, *b;
  };
  // A splitter with two panes in a shown window, as the editor sets them up.
  Split Make(bool horizontal, int posic, QRect geometry, bool contrario = true, bool r3d = false) {
    auto* s = new TVSplit(window.get());
    s->setLargura(5);
    s->setHorizontal(horizontal);
    s->setContrario(contrario);
    s->setr3d(r3d);
    s->setPosic(posic);
    Split split{s, new QWidget(s), new QWidget(s)};
    s->setGeometry(geometry);
    s->show();
    return split;
  }

 private slots:
  void init() {
    window = std::make_unique<QWidget>();
    window->resize(1346, 414);
    window->show();
  }

  // The editor's three splitters at its design size.
  void editorLayoutNumbers() {
    const struct {
      bool horizontal;
      int posic;
      bool r3d;
      QRect geometry, first, second;
    } cases[] = {
        {false, 8, false, {0, 0, 1346, 414}, {0, 0, 1346, 403}, {0, 410, 1346, 5}},
        {true, 151, false, {0, 0, 1346, 403}, {0, 0, 1193, 403}, {1198, 0, 148, 403}},
        {true, 148, true, {0, 0, 1346, 5}, {1, 1, 1195, 3}, {1201, 1, 144, 3}},
    };
    for (const auto& c : cases) {
      const Split split = Make(c.horizontal, c.posic, c.geometry, true, c.r3d);
      QVERIFY2(split.a->geometry() == c.first && split.b->geometry() == c.second, qPrintable(QString::number(c.posic)));
    }
    // Growing keeps the far pane's size and gives the change to the first.
    const Split split = Make(true, 151, {0, 0, 1346, 403});
    split.s->resize(1446, 403);
    QCOMPARE(split.a->width(), 1293);
    QCOMPARE(split.b->width(), 148);
  }

  void tagsOrderOrFreezeThePanes() {
    const Split split = Make(true, 100, {0, 0, 400, 50}, false);
    SetTag(split.a, 1);
    split.s->Dispoe();
    QCOMPARE(split.b->x(), 0);
    QCOMPARE(split.a->x(), 103);
    SetTag(split.a, 2);
    split.a->setGeometry(7, 7, 7, 7);
    split.s->Dispoe();
    QCOMPARE(split.a->geometry(), QRect(7, 7, 7, 7));

    TVSplit lone;  // one pane: left alone
    QWidget only(&lone);
    only.setGeometry(3, 3, 3, 3);
    lone.resize(300, 100);
    lone.show();
    QCOMPARE(only.geometry(), QRect(3, 3, 3, 3));
  }

  void draggingTheBarMovesItAndReports() {
    const auto [s, a, b] = Make(true, 100, {0, 0, 400, 50}, false);
    int changes = 0;
    s->Altera = [&](QObject*) { ++changes; };
    Press(s, QPoint(101, 20));
    QVERIFY(s->Arrastando());
    Move(s, QPoint(200, 20));
    Release(s, QPoint(200, 20));
    QCOMPARE(s->Posic(), 200);
    QCOMPARE(a->width(), 198);
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

    // Counted from the far edge.
    const Split far = Make(true, 151, {0, 0, 1346, 100});
    Press(far.s, QPoint(1195, 50));
    Release(far.s, QPoint(1100, 50));
    QCOMPARE(far.s->Posic(), 246);
    QCOMPARE(far.b->width(), 1346 - 1100 - 3);
  }
};

QTEST_MAIN(TVSplitTest)
#include "TVSplitTest.moc"
