#include "WaitWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

namespace {
const QColor kInk(0x33, 0x33, 0x33);  // 3355443
}

WaitWindow::WaitWindow() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
  setFixedSize(277, 112);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  fLabel = new QLabel(QStringLiteral("Wait..."), this);
  QFont bold(QStringLiteral("Arial"));
  bold.setPixelSize(16);
  bold.setBold(true);
  fLabel->setFont(bold);
  QPalette ink = fLabel->palette();
  ink.setColor(QPalette::WindowText, kInk);
  fLabel->setPalette(ink);
  fLabel->move(40, 24);
  fLabel->resize(200, 24);
  fProgress = new QProgressBar(this);
  fProgress->setGeometry(40, 57, 201, 21);
  fProgress->setRange(0, 100);
  fProgress->setValue(0);
  fProgress->setTextVisible(false);
  fTimer = new QTimer(this);
  fTimer->setInterval(100);
  connect(fTimer, &QTimer::timeout, this, [this] {
    if (OnTick) OnTick();
  });
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

void WaitWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(kInk);
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, width() - 1, height() - 1);
}
