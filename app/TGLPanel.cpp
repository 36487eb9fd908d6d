#include "TGLPanel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCursor>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>

namespace {
// The view is a picture: a canvas with a name, and a description that says
// what is selected.
class GLPanelAccessible : public QAccessibleWidget {
 public:
  explicit GLPanelAccessible(TGLPanel* panel) : QAccessibleWidget(panel, QAccessible::Canvas) {}
  QString text(QAccessible::Text t) const override {
    auto* panel = static_cast<TGLPanel*>(widget());
    if (t == QAccessible::Description && panel->OnDescribe) return panel->OnDescribe();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* GLPanelFactory(const QString& className, QObject* object) {
  return className == QLatin1String("TGLPanel") ? new GLPanelAccessible(static_cast<TGLPanel*>(object)) : nullptr;
}
}  // namespace

TGLPanel::TGLPanel(QWidget* parent) : QOpenGLWidget(parent) {
  static const bool factory = (QAccessible::installFactory(GLPanelFactory), true);
  (void)factory;
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  rest_.setSingleShot(true);
  rest_.setInterval(kRestMs);
  connect(&rest_, &QTimer::timeout, this, [this] {
    moving_ = false;
    update();
  });
}

void TGLPanel::MarkMoving() {
  moving_ = true;
  rest_.start();
}

TGLPanel::~TGLPanel() = default;

bool TGLPanel::MakeCurrent() {
  if (!context() || !context()->isValid()) return false;
  makeCurrent();
  return true;
}

// The framebuffer Qt gives the widget is its size times the ratio, rounded.
int TGLPanel::Width() const { return qRound(width() * devicePixelRatioF()); }
int TGLPanel::Height() const { return qRound(height() * devicePixelRatioF()); }

bool TGLPanel::WithContext(const std::function<void()>& f) {
  if (!isValid() || !MakeCurrent()) return false;
  f();
  doneCurrent();
  return true;
}

// The pointer over device pixel N has the widget position N / ratio, so
// rounding gives N back also at fractional ratios.
QPoint TGLPanel::ToPixels(QPointF widgetPoint) const {
  const double r = devicePixelRatioF();
  return {qRound(widgetPoint.x() * r), qRound(widgetPoint.y() * r)};
}

QPointF TGLPanel::FromPixels(QPoint pixel) const {
  const double r = devicePixelRatioF();
  return {pixel.x() / r, pixel.y() / r};
}

QPoint TGLPanel::PointerPixel() const {
  // QCursor::pos() is rounded to whole widget units, which at a ratio above
  // 1 is off by a device pixel or more; the last pointer event is exact,
  // and used while the pointer has not moved on from it.
  const QPoint global = QCursor::pos();
  const QPointF at = lastGlobal_.toPoint() == global ? lastGlobal_ : QPointF(global);
  return ToPixels(mapFromGlobal(at));
}

void TGLPanel::MovePointerTo(QPoint pixel) {
  const QPointF global = mapToGlobal(FromPixels(pixel));
  QCursor::setPos(global.toPoint());
  NotePointer(global);
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
  NotePointer(event->globalPosition());
  buttons_ = event->buttons() | event->button();
  pressTime_ = event->timestamp();
  const QPoint at = ToPixels(event->position());
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
}

// The second press of a double click arrives as a double click in Qt; the
// editor tells double presses apart itself, so it is a press like any other.
void TGLPanel::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TGLPanel::mouseMoveEvent(QMouseEvent* event) {
  NotePointer(event->globalPosition());
  const QPoint at = ToPixels(event->position());
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), at.x(), at.y());
}

void TGLPanel::mouseReleaseEvent(QMouseEvent* event) {
  NotePointer(event->globalPosition());
  buttons_ = event->buttons() & ~event->button();
  const QPoint at = ToPixels(event->position());
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TGLPanel::wheelEvent(QWheelEvent* event) {
  NotePointer(event->globalPosition());
  const QPoint at = ToPixels(event->position());
  if (OnMouseWheel) OnMouseWheel(this, event->angleDelta().y(), event->modifiers(), at.x(), at.y());
  event->accept();
}

void TGLPanel::leaveEvent(QEvent* event) {
  QOpenGLWidget::leaveEvent(event);
  if (OnMouseLeave) OnMouseLeave(this);
}

void TGLPanel::AnnounceDescription() {
  // Qt hands events on only while an assistive tool listens; without one
  // the description is not even made.
  if (!QAccessible::isActive() || !OnDescribe) return;
  const QString now = OnDescribe();
  if (now == announced_) return;
  announced_ = now;
  QAccessibleEvent event(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&event);
}
