#include "TSBM.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QToolTip>

#include "ControlAccessibility.h"
#include "ControlText.h"
#include "FocusMark.h"
#include "MnemonicShortcut.h"
#include "PictureTools.h"
#include "ReadableText.h"

TSBM::TSBM(QWidget* parent) : QWidget(parent) {
  resize(200, 150);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Tab reaches the button; a click leaves the focus where it was, so the
  // keys keep going to the view.
  setFocusPolicy(Qt::TabFocus);
  InstallControlAccessibility();
}

bool TSBM::Dentro(QPoint p) const { return p.x() >= 0 && p.x() <= width() && p.y() >= 0 && p.y() <= height(); }

void TSBM::setDown(bool v) {
  if (fGroupIndex >= 1) {
    fMostradoAbaixo = v;
    if (v) SoltaGrupo();
    if (v != fDown) {
      fDown = v;
      if (fExecutaEventoDown && OnClick) OnClick(this);
    }
  } else {
    fMostradoAbaixo = false;
  }
  fDown = v;
  update();
}

void TSBM::FDownaux(bool v) {
  fDown = v;
  fMostradoAbaixo = fGroupIndex >= 1 ? v : false;
}

void TSBM::setGlyph(const QImage& v) {
  fGlyph = v;
  fGlyphCinza = QImage();
  update();
}

void TSBM::setGroupIndex(int v) {
  fGroupIndex = v;
  fMostradoAbaixo = v < 1 ? false : fDown;
  update();
}

void TSBM::setCaption(const std::string& v) {
  fCaption = v;
  UpdateMnemonic(this, fAtalho, v, [this] {
    if (isEnabled() && OnClick) OnClick(this);
  });
  update();
}

// Every other button of this parent in the same group goes up.
void TSBM::SoltaGrupo() {
  if (fGroupIndex < 1 || !parentWidget()) return;
  for (QObject* child : parentWidget()->children()) {
    auto* other = qobject_cast<TSBM*>(child);
    if (!other || other == this || other->fGroupIndex != fGroupIndex) continue;
    other->FDownaux(false);
    other->update();
  }
}

void TSBM::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (fMostraHint) QToolTip::hideText();
  fMostradoAbaixo = true;
  fRastreando = true;
  repaint();
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TSBM::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (OnDblClick) OnDblClick(this);
  mousePressEvent(event);
}

void TSBM::mouseMoveEvent(QMouseEvent* event) {
  if (!fRastreando) return;
  const QPoint p = event->position().toPoint();
  fMostradoAbaixo = Dentro(p);
  repaint();
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), p.x(), p.y());
}

void TSBM::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !fRastreando) return;
  const QPoint p = event->position().toPoint();
  if (Dentro(p)) {
    if (fGroupIndex >= 1) {
      fDown = fAllowAllUp ? !fDown : true;
      fMostradoAbaixo = fDown;
      if (fDown) SoltaGrupo();
    } else {
      fMostradoAbaixo = false;
    }
    if (fEstadoDuplo) fMostradoAbaixo = fDown;
  } else {
    fMostradoAbaixo = fGroupIndex >= 1 ? fDown : false;
  }
  fRastreando = false;
  repaint();
  if (rect().contains(p) && OnClick) OnClick(this);
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TSBM::Clica() {
  if (!isEnabled()) return;
  const QPointF meio(width() / 2.0, height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, meio, mapToGlobal(meio), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  mousePressEvent(&press);
  QMouseEvent release(QEvent::MouseButtonRelease, meio, mapToGlobal(meio), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  mouseReleaseEvent(&release);
}

void TSBM::keyPressEvent(QKeyEvent* event) {
  const int k = event->key();
  if ((k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
    Clica();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TSBM::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void TSBM::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void TSBM::enterEvent(QEnterEvent*) {
  fMouseSobre = true;
  if (fW98) update();
}

void TSBM::leaveEvent(QEvent*) {
  fMouseSobre = false;
  if (fW98) update();
  if (fMostraHint) QToolTip::hideText();
}

void TSBM::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
  QWidget::changeEvent(event);
}

void TSBM::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int W = width(), H = height();
  const int right = W - 1, bottom = H - 1;
  const int s = fMostradoAbaixo ? 1 : 0;
  p.fillRect(0, 0, right + 1, bottom + 1, WinToQColor(fColor));
  p.setFont(font());
  const QFontMetrics metrics(p.font());
  const int th = metrics.height();
  int top = (H - th) / 2;
  int textBottom = top + th;
  int left = 3;
  const int textRight = W;
  if (fMostradoAbaixo) {
    top += 1;
    left += 2;
  }
  QImage picture = fGlyph;
  if (!isEnabled() && !fGlyph.isNull()) {
    if (fGlyphCinza.isNull()) fGlyphCinza = DisabledPicture(fGlyph, WinToQColor(clBtnFace).rgb());
    picture = fGlyphCinza;
  }
  const bool hasPicture = !picture.isNull() && picture.width() > 0;
  if (hasPicture) {
    const QSize size = picture.deviceIndependentSize().toSize();  // a sharper picture keeps its place
    const int pw = size.width(), ph = size.height();
    if (fTextoAlinhamento == 1) {
      p.drawImage(left + s + fMargin + 1, H / 2 - ph / 2 + s, picture);
      left = pw + 2 * left + fMargin + 1;
    } else if (fTextoAlinhamento == 3) {
      p.drawImage(W / 2 - pw / 2 + s, H / 2 - ph / 2 + s - th / 2, picture);
      const int middle = (top + textBottom) / 2;
      const int height = textBottom - top + 1;
      top = middle;
      textBottom = top + height;
    } else {
      p.drawImage(W / 2 - pw / 2 + s, H / 2 - ph / 2 + s, picture);
    }
  }
  int align = Qt::AlignHCenter;
  if (fTextoAlinhamento == 1) align = Qt::AlignLeft;
  if (fTextoAlinhamento == 2) align = Qt::AlignRight;
  if (fTextoAlinhamento == 3 && hasPicture && font().family() == QStringLiteral("Arial")) {
    top += 3;
    textBottom += 4;
  }
  // The caption stands on the picture where they meet, else on the face.
  QColor under = WinToQColor(fColor);
  if (hasPicture) {
    const QRect textArea(QPoint(left, top), QPoint(textRight - 1, textBottom - 1));
    const QSize size = picture.deviceIndependentSize().toSize();
    const QRect pictureArea(W / 2 - size.width() / 2 + s, H / 2 - size.height() / 2 + s, size.width(), size.height());
    if (fTextoAlinhamento != 1 && fTextoAlinhamento != 3 && pictureArea.contains(textArea.center())) {
      const QPoint at = (textArea.center() - pictureArea.topLeft()) * picture.devicePixelRatio();
      if (picture.valid(at)) under = picture.pixelColor(at);
    }
  }
  p.setPen(ReadableOn(under, isEnabled() ? palette().color(QPalette::ButtonText)
                                         : palette().color(QPalette::Disabled, QPalette::ButtonText)));
  p.drawText(QRect(QPoint(left, top), QPoint(textRight - 1, textBottom - 1)),
             align | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, FromLatin1(fCaption).left(255));
  if (!fW98 || fMouseSobre || fMostradoAbaixo) {
    p.setPen(WinToQColor(fMostradoAbaixo ? clBtnHighlight : clBtnShadow));
    p.drawLine(right, 0, right, bottom);
    p.drawLine(0, bottom, right, bottom);
    p.drawLine(0, 0, 0, bottom);
    p.drawLine(0, 0, right, 0);
  }
  if (hasFocus()) DrawFocusMark(p, rect().adjusted(2, 2, -3, -3), palette());
}
