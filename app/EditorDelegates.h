#pragma once
#include <QComboBox>
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
// scales and sub-objects shortened), invisible elements greyed but readable
// (height 17).
class ElementItemDelegate : public QStyledItemDelegate {
 public:
  ElementItemDelegate(TFEditorDeObjetos1* window, QObject* parent) : QStyledItemDelegate(parent), window_(window) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  TFEditorDeObjetos1* window_;
};

// The texture chooser: closed, it shows the chosen entry as the open list
// does, picture and name.
class TextureBox : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The picture of a file of the texture folder, named as the file system
// spells it (null when it cannot be read).
QImage TexturePicture(const std::string& fileName);
