#pragma once
#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

// The indicator's window: frameless, on top, 277 x 112, white, with a
// label, a progress bar and a 100 ms animation timer.
class WaitWindow : public QWidget {
  Q_OBJECT
 public:
  WaitWindow();

  QLabel* Label() const { return fLabel; }
  QProgressBar* Progress() const { return fProgress; }
  QTimer* Timer() const { return fTimer; }

  // One animation tick (the timer calls it).
  std::function<void()> OnTick;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* fLabel;
  QProgressBar* fProgress;
  QTimer* fTimer;
};
