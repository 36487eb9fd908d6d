#pragma once
#include <QPoint>
#include <QRect>

class QRubberBand;
class TGLPanel;

// B's rectangle on the drawing panel: armed by the key, drawn from the next
// left press to the release. Positions are the panel's framebuffer pixels,
// as the pointer's handlers have them; the band is placed in widget units.
class BoxSelection {
 public:
  explicit BoxSelection(TGLPanel& panel) : panel_(panel) {}

  void Arm() { armed_ = true; }
  bool Armed() const { return armed_; }
  // Forgotten, armed or drawn (Esc).
  void Disarm();
  // A left press while armed starts the band at (x, y); any other press
  // disarms it. True when the press was the band's.
  bool Press(bool leftButton, int x, int y);
  bool Drawing() const;
  void Follow(int x, int y);
  // The band ends at (x, y): the rectangle it spans.
  QRect Release(int x, int y);

 private:
  void Place(QPoint to);

  TGLPanel& panel_;
  bool armed_ = false;
  QPoint from_;
  QRubberBand* band_ = nullptr;  // a child of the panel, made at the first use
};
