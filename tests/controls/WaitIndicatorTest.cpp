#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>
#include <thread>

#include "controls/WaitIndicator.h"
#include "controls/WaitWindow.h"

class WaitIndicatorTest : public QObject {
  Q_OBJECT

  static void WaitUntilClosed() { QTRY_VERIFY_WITH_TIMEOUT(CurrentWaitWindow() == nullptr, 5000); }

 private slots:
  void windowShowsDotsAndProgressThenClosesAtTheNextTick() {
    StopWait();  // without a start: only the result
    QVERIFY(CurrentWaitWindow() == nullptr);
    QCOMPARE(WaitResult(), std::string("1"));

    std::string result = "x";
    StartWait(nullptr, result);
    QVERIFY(result.empty());
    QVERIFY(WaitResult().empty());
    WaitWindow* w = CurrentWaitWindow();
    QVERIFY(w && w->isVisible());
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(w->Label()->text(), QString("Wait..."));
    const char* expected[] = {"Processing.", "Processing..", "Processing...", "Processing."};
    for (int i = 0; i < 4; ++i) {
      w->OnTick();
      QCOMPARE(w->Label()->text(), QString(expected[i]));
      QCOMPARE(w->Progress()->value(), 10 * (i + 1));
    }
    for (int i = 0; i < 5; ++i) w->OnTick();
    QCOMPARE(w->Progress()->value(), 90);
    w->OnTick();
    QCOMPARE(w->Progress()->value(), 10);  // wraps before reaching 100

    StopWait();
    QCOMPARE(WaitResult(), std::string("1"));
    QVERIFY(CurrentWaitWindow() == w);
    w->OnTick();
    QVERIFY(CurrentWaitWindow() == nullptr);
  }

  void realTimerClosesSoonAfterStop() {
    std::string result;
    StartWait(nullptr, result);
    QVERIFY(CurrentWaitWindow());
    QElapsedTimer clock;
    clock.start();
    StopWait();
    WaitUntilClosed();
    QVERIFY(clock.elapsed() < 1000);  // one 100 ms tick, with room for a slow machine

    // The worker has let go: the next start makes a fresh one that waits.
    QTRY_VERIFY_WITH_TIMEOUT(WaitResult() == "1", 3000);
    StartWait(nullptr, result);
    QVERIFY(WaitResult().empty());
    for (int i = 0; i < 3; ++i) CurrentWaitWindow()->OnTick();
    QVERIFY(CurrentWaitWindow() != nullptr);  // ticks keep it while waiting
    StopWait();
    WaitUntilClosed();
  }

  void procedureRunsOnAWorkerWhileEventsFlow() {
    QTRY_VERIFY_WITH_TIMEOUT(WaitResult() == "1", 3000);  // no worker left from before
    const auto uiThread = std::this_thread::get_id();
    std::thread::id procThread;
    bool eventSeen = false;
    QTimer::singleShot(10, [&] { eventSeen = true; });
    std::string result = "x";
    StartWait(
        [&] {
          procThread = std::this_thread::get_id();
          std::this_thread::sleep_for(std::chrono::milliseconds(200));
        },
        result);
    QVERIFY(procThread != uiThread);
    QVERIFY(procThread != std::thread::id());
    QVERIFY(eventSeen);
    QVERIFY(CurrentWaitWindow() == nullptr);
    QVERIFY(result.empty());
  }
};

QTEST_MAIN(WaitIndicatorTest)
#include "WaitIndicatorTest.moc"
