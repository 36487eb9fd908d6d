#include "EditorDelegates.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>
#include <QStylePainter>

#include "LatinText.h"
#include "TFEditorDeObjetos1.h"
#include "common/TextureFolder.h"
#include "document/NameSyntax.h"
#include "document/NoTexture.h"
#include "gl/Textures.h"
#include "image/ImageFiles.h"

namespace {
// Fills the line's background and gives it; `text` is the colour to write in.
QColor PaintBackground(QPainter* painter, const QStyleOptionViewItem& option, QColor& text) {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& pal = QApplication::palette();
  const QColor background = selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);
  painter->fillRect(option.rect, background);
  text = selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
  return background;
}

// A blank, then the text, its top half a line above the middle.
void PaintLine(QPainter* painter, const QRect& r, int textStart, const QString& text, const QColor& color) {
  painter->setPen(color);
  const QFontMetrics fm(painter->font());
  const int top = r.top() + r.height() / 2 - fm.height() / 2;
  painter->drawText(QPoint(textStart, top + fm.ascent()), " " + text);
}
// A texture entry: its picture in a square of the line's height, then its
// name without extension.
void PaintTextureEntry(QPainter* painter, const QRect& r, const QString& item, const QColor& text) {
  int textStart = r.left();
  if (!IsNoTextureItem(item.toStdString())) {
    const QImage picture = TexturePicture(PathBytes(item));
    if (!picture.isNull()) {
      const int side = r.height();
      painter->save();
      painter->setClipRect(QRect(r.topLeft(), QSize(side, side)), Qt::IntersectClip);
      painter->drawImage(r.topLeft(), picture);
      painter->restore();
      textStart += side;
    }
  }
  const int dot = item.lastIndexOf('.');
  PaintLine(painter, r, textStart, dot > 0 ? item.left(dot) : item, text);
}

// Half way between the text and the background: plainly grey, still legible.
QColor Greyed(const QColor& text, const QColor& background) {
  return QColor((text.red() + background.red()) / 2, (text.green() + background.green()) / 2,
                (text.blue() + background.blue()) / 2);
}
}  // namespace

QImage TexturePicture(const std::string& fileName) {
  const TextureBitmap* bitmap = TextureImage(TextureFolder() + fileName);
  if (!bitmap || bitmap->empty()) return {};
  return ImageFromBitmap(*bitmap);
}

void TextureItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QColor text;
  const QColor background = PaintBackground(painter, option, text);
  // A file the document cannot name stays in the list, greyed.
  if (!(index.flags() & Qt::ItemIsEnabled)) text = Greyed(text, background);
  PaintTextureEntry(painter, option.rect, index.data().toString(), text);
}

QSize TextureItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width() + 25, 25};
}

void ElementItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QColor text;
  const QColor background = PaintBackground(painter, option, text);
  if (window_->Document().IsInvisible(index.row())) text = Greyed(text, background);
  PaintLine(painter, option.rect, option.rect.left(), L1(ListLineText(Latin(index.data().toString()))), text);
}

QSize ElementItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width(), 17};
}

void TextureBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  painter.setPen(palette().color(QPalette::Text));
  QStyleOptionComboBox frame;
  initStyleOption(&frame);
  frame.currentText.clear();  // the entry is painted below, with its picture
  frame.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, frame);
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &frame, QStyle::SC_ComboBoxEditField, this);
  painter.setClipRect(field);
  PaintTextureEntry(&painter, field, currentText(), palette().color(QPalette::Text));
}
