#pragma once
#include <QStyledItemDelegate>

class TFEditorDeObjetos1;

// The texture list's lines: the texture's picture, then its name without
// extension (item height 25).
class TextureItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The element list's lines: the name as the list shows it (bound labels,
// scales and sub-objects shortened), invisible elements greyed (height 17).
class ElementItemDelegate : public QStyledItemDelegate {
 public:
  ElementItemDelegate(TFEditorDeObjetos1* window, QObject* parent)
      : QStyledItemDelegate(parent), window_(window) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  TFEditorDeObjetos1* window_;
};

// A texture file's picture for the list (null when it cannot be read).
QImage TexturePicture(const std::string& fileName);
