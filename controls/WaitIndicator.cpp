#include "WaitIndicator.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "WaitWindow.h"

namespace {
// The worker thread's own record; the thread keeps it alive while it runs.
struct WaitWorker {
  std::atomic<int> done{0};
  std::mutex mutex;
  std::condition_variable wake;
  std::function<void()> proc;
};

// One indicator per process. The worker and the window thread share the
// `done` flags and the result; both are guarded here, since they are
// written from one thread and polled from the other.
struct WaitState {
  QPointer<WaitWindow> window;  // user-interface thread only
  std::function<void()> proc;   // user-interface thread only
  int dotCount = 3;             // so the first tick shows one dot
  std::mutex mutex;
  std::shared_ptr<WaitWorker> thread;
  std::string result;
};

// Never destroyed: a detached worker may still look at it during exit.
WaitState& State() {
  static WaitState* state = new WaitState;
  return *state;
}

void SetResult(const std::string& value) {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().result = value;
}

void CloseWindow() {
  WaitState& s = State();
  if (!s.window) return;
  WaitWindow* window = s.window;
  s.window = nullptr;
  window->Timer()->stop();
  window->hide();
  window->deleteLater();
}

void Tick() {
  WaitState& s = State();
  WaitWindow* window = s.window;
  if (!window) return;
  window->Timer()->stop();
  s.dotCount = s.dotCount >= 3 ? 1 : s.dotCount + 1;
  window->Label()->setText(QStringLiteral("Processing") + QString(s.dotCount, QLatin1Char('.')));
  window->Label()->repaint();
  QProgressBar* bar = window->Progress();
  if (bar->value() + 10 >= 100) bar->setValue(0);
  bar->setValue(bar->value() + 10);
  if (!s.proc && !WaitResult().empty()) {
    CloseWindow();
    return;
  }
  window->Timer()->start();
}

void WorkerBody(std::shared_ptr<WaitWorker> self) {
  if (self->proc) {
    self->proc();
    self->done = 1;
    // Wakes the window thread's event loop so it sees `done` at once.
    QMetaObject::invokeMethod(
        qApp, [] {}, Qt::QueuedConnection);
    return;
  }
  {
    std::unique_lock<std::mutex> lock(self->mutex);
    while (self->done != 1) self->wake.wait_for(lock, std::chrono::milliseconds(1000));
  }
  WaitState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.thread == self) {
    s.thread.reset();
    s.result = "1";
  }
}
}  // namespace

WaitWindow* CurrentWaitWindow() { return State().window; }

std::string WaitResult() {
  std::lock_guard<std::mutex> lock(State().mutex);
  return State().result;
}

void StartWait(std::function<void()> proc, std::string& result) {
  WaitState& s = State();
  if (!s.window) {
    SetResult("");
    s.window = new WaitWindow;
    s.window->OnTick = Tick;
    s.window->Timer()->start();
  }
  s.window->show();
  s.window->raise();
  result.clear();
  std::shared_ptr<WaitWorker> worker;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.thread) return;
    s.result.clear();
    worker = std::make_shared<WaitWorker>();
    worker->proc = proc;
    s.thread = worker;
  }
  s.proc = proc;
  std::thread(WorkerBody, worker).detach();
  if (proc) {
    while (worker->done != 1) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    {
      std::lock_guard<std::mutex> lock(s.mutex);
      if (s.thread == worker) s.thread.reset();
    }
    s.proc = nullptr;
    CloseWindow();
    result = WaitResult();
    return;
  }
  s.window->repaint();
}

void StopWait() {
  WaitState& s = State();
  std::shared_ptr<WaitWorker> worker;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    worker = s.thread;
    if (!worker || s.result.empty()) s.result = "1";
  }
  if (worker) {
    std::lock_guard<std::mutex> lock(worker->mutex);
    worker->done = 1;
    worker->wake.notify_all();
  }
}
