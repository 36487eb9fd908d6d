#include "BoxSelection.h"

#include <QRectF>
#include <QRubberBand>

#include "TGLPanel.h"

void BoxSelection::Disarm() {
  armed_ = false;
  if (band_) band_->hide();
}

bool BoxSelection::Press(bool leftButton, int x, int y) {
  if (!armed_) return false;
  armed_ = false;
  if (!leftButton) return false;
  from_ = QPoint(x, y);
  if (!band_) band_ = new QRubberBand(QRubberBand::Rectangle, &panel_);
  Place(from_);
  band_->show();
  return true;
}

bool BoxSelection::Drawing() const { return band_ && band_->isVisible(); }

void BoxSelection::Follow(int x, int y) {
  if (Drawing()) Place(QPoint(x, y));
}

QRect BoxSelection::Release(int x, int y) {
  if (band_) band_->hide();
  return QRect(from_, QPoint(x, y)).normalized();
}

void BoxSelection::Place(QPoint to) {
  const double ratio = panel_.PixelRatio() > 0 ? panel_.PixelRatio() : 1;
  band_->setGeometry(QRectF(QPointF(from_) / ratio, QPointF(to) / ratio).normalized().toAlignedRect());
}
