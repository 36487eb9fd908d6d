#pragma once
#include <QOpenGLWidget>
#include <QTimer>
#include <functional>

#include "controls/ControlEvents.h"
#include "gl/DrawSurface.h"

// The drawing panel Tela1: a Qt OpenGL surface the view layer draws on.
// All drawing happens in paintGL (the owner's OnPaint runs the scene frame
// there); "draw now" from a handler is repaint(). Display lists and textures
// belong to the widget's context, so the owner rebuilds them in OnInitialize.
// Positions leave the panel in framebuffer pixels, the unit of the view
// layer's picking, whatever the screen's device pixel ratio: the mouse
// events, PointerPixel and Width/Height all speak it, and only the panel
// converts to and from the widget's own (logical) coordinates.
class TGLPanel : public QOpenGLWidget, public DrawSurface {
  Q_OBJECT
 public:
  explicit TGLPanel(QWidget* parent = nullptr);
  ~TGLPanel() override;

  bool MakeCurrent() override;
  int Width() const override;
  int Height() const override;
  void EndFrame() override {}

  // Runs f with the panel's context current (for picking); false when the
  // panel has no context yet.
  bool WithContext(const std::function<void()>& f);

  // Framebuffer pixels per widget coordinate (2 on a doubled desktop).
  double PixelRatio() const { return devicePixelRatioF(); }
  // A widget position as the framebuffer pixel under it, and back.
  QPoint ToPixels(QPointF widgetPoint) const;
  QPointF FromPixels(QPoint pixel) const;
  // The framebuffer pixel under the pointer now, and a move of the pointer
  // onto a framebuffer pixel.
  QPoint PointerPixel() const;
  void MovePointerTo(QPoint pixel);

  // Frames drawn while the camera moves or a drag runs may be cheaper
  // (Moving); once input has rested for kRestMs, the panel paints again and
  // that frame, like every later one, is whole.
  static constexpr int kRestMs = 300;
  void MarkMoving();
  bool Moving() const { return moving_; }
  // A mouse button is held on the panel (a drag may be running).
  bool ButtonHeld() const { return buttons_ != Qt::NoButton; }
  // When the last press came, in ms of the event's own clock (the display's):
  // presses are paired by it, not by when they are handled.
  ulong PressTime() const { return pressTime_; }

  TNotifyEvent OnInitialize;  // a new context: build the view's GL state
  TNotifyEvent OnPaint;       // draw the frame (context current)
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  // A turn of the wheel: Delta in eighths of a degree (120 = one notch).
  std::function<void(QObject* Sender, int Delta, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseWheel;
  TNotifyEvent OnMouseLeave;

  // What the view shows, in words, for assistive tools (its accessible
  // description); asked whenever a tool reads it.
  std::function<QString()> OnDescribe;
  // Tells assistive tools that the description changed, when it did.
  void AnnounceDescription();

 protected:
  void initializeGL() override;
  void paintGL() override;
  void resizeGL(int w, int h) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void NotePointer(const QPointF& global) { lastGlobal_ = global; }
  QPointF lastGlobal_{-1e9, -1e9};  // the pointer at the last event, to a fraction of a widget unit
  QTimer rest_;
  bool moving_ = false;
  Qt::MouseButtons buttons_ = Qt::NoButton;
  ulong pressTime_ = 0;
  QString announced_;  // the description assistive tools were last told
};
