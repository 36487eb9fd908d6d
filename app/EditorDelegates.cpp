#include "EditorDelegates.h"

#include <QApplication>
#include <QPainter>

#include "LatinText.h"
#include "TFEditorDeObjetos1.h"
#include "common/TextureFolder.h"
#include "document/NameSyntax.h"
#include "gl/Textures.h"

namespace {
void PaintBackground(QPainter* painter, const QStyleOptionViewItem& option, QColor& text) {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& pal = QApplication::palette();
  painter->fillRect(option.rect, selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
  text = selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
}

// A blank, then the text, its top half a line above the middle.
void PaintLine(QPainter* painter, const QRect& r, int textStart, const QString& text, const QColor& color) {
  painter->setPen(color);
  const QFontMetrics fm(painter->font());
  const int top = r.top() + r.height() / 2 - fm.height() / 2;
  painter->drawText(QPoint(textStart, top + fm.ascent()), " " + text);
}
}  // namespace

QImage TexturePicture(const std::string& fileName) {
  const TextureBitmap* bitmap = TextureImage(TextureFolder() + fileName);
  if (!bitmap || bitmap->empty()) return {};
  QImage image(bitmap->width, bitmap->height, QImage::Format_RGB888);
  for (int y = 0; y < bitmap->height; ++y) {
    uchar* row = image.scanLine(y);
    for (int x = 0; x < bitmap->width; ++x) {
      const uint8_t* bgr = bitmap->at(x, y);
      row[3 * x] = bgr[2], row[3 * x + 1] = bgr[1], row[3 * x + 2] = bgr[0];
    }
  }
  return image;
}

void TextureItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  QColor text;
  PaintBackground(painter, option, text);
  const QString item = index.data().toString();
  int textStart = option.rect.left();
  if (item != "<nenhuma>" && item != "<none>") {
    const QImage picture = TexturePicture(Latin(item));
    if (!picture.isNull()) {
      const int side = option.rect.height();
      painter->save();
      painter->setClipRect(QRect(option.rect.topLeft(), QSize(side, side)));
      painter->drawImage(option.rect.topLeft(), picture);
      painter->restore();
      textStart += side;
    }
  }
  const int dot = item.lastIndexOf('.');
  PaintLine(painter, option.rect, textStart, dot > 0 ? item.left(dot) : item, text);
}

QSize TextureItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width() + 25, 25};
}

void ElementItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  QColor text;
  PaintBackground(painter, option, text);
  if (window_->doc.IsInvisible(index.row())) text = QApplication::palette().color(QPalette::Button);
  PaintLine(painter, option.rect, option.rect.left(), L1(ListLineText(Latin(index.data().toString()))), text);
}

QSize ElementItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width(), 17};
}
