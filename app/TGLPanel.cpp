#include "TGLPanel.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QOpenGLContext>

TGLPanel::TGLPanel(QWidget* parent) : QOpenGLWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
}

TGLPanel::~TGLPanel() = default;

bool TGLPanel::MakeCurrent() {
  if (!context() || !context()->isValid()) return false;
  makeCurrent();
  return true;
}

int TGLPanel::Width() const { return static_cast<int>(width() * devicePixelRatioF()); }
int TGLPanel::Height() const { return static_cast<int>(height() * devicePixelRatioF()); }

bool TGLPanel::WithContext(const std::function<void()>& f) {
  if (!isValid() || !MakeCurrent()) return false;
  f();
  doneCurrent();
  return true;
}

void TGLPanel::initializeGL() {
  if (OnInitialize) OnInitialize(this);
}

void TGLPanel::paintGL() {
  if (OnPaint) OnPaint(this);
}

void TGLPanel::resizeGL(int, int) {
  if (OnResize) OnResize(this);
}

void TGLPanel::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), event->position().toPoint().x(),
                               event->position().toPoint().y());
}

// A second press arrives as a double click in Qt; the editor times presses
// itself, so it is a press like any other.
void TGLPanel::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TGLPanel::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), event->position().toPoint().x(), event->position().toPoint().y());
}

void TGLPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), event->position().toPoint().x(),
                           event->position().toPoint().y());
}

void TGLPanel::wheelEvent(QWheelEvent* event) {
  const QPoint at = event->position().toPoint();
  if (OnMouseWheel) OnMouseWheel(this, event->angleDelta().y(), event->modifiers(), at.x(), at.y());
  event->accept();
}

void TGLPanel::leaveEvent(QEvent* event) {
  QOpenGLWidget::leaveEvent(event);
  if (OnMouseLeave) OnMouseLeave(this);
}
