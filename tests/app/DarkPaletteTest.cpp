// Under a dark desktop palette every caption of the tool strip stays
// readable: measured on the pictures the controls paint.
#include <QLabel>
#include <QLineEdit>
#include <map>

#include "EditorFixture.h"
#include "controls/ReadableText.h"
#include "controls/TSBM.h"

namespace {
QPalette DarkPalette() {
  QPalette p;
  p.setColor(QPalette::Window, QColor(53, 53, 53));
  p.setColor(QPalette::WindowText, QColor(238, 238, 238));
  p.setColor(QPalette::Base, QColor(42, 42, 42));
  p.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
  p.setColor(QPalette::Text, QColor(238, 238, 238));
  p.setColor(QPalette::Button, QColor(53, 53, 53));
  p.setColor(QPalette::ButtonText, QColor(238, 238, 238));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::black);
  return p;
}

// How much the most distinct pixel of `area` stands out from the colour
// most of the area has: the caption against its background.
double CaptionContrast(const QImage& picture, const QRect& area) {
  std::map<QRgb, int> counts;
  const QRect inside = area.intersected(picture.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x) ++counts[picture.pixel(x, y) | 0xFF000000];
  QRgb background = 0;
  int most = 0;
  for (const auto& [colour, n] : counts)
    if (n > most) most = n, background = colour;
  double best = 1;
  for (const auto& [colour, n] : counts) best = std::max(best, ContrastRatio(QColor(colour), QColor(background)));
  return best;
}

struct DarkDesktop : EditorFixture {
  void SetUp() override {
    EditorFixture::SetUp();
    before = QApplication::palette();
    QApplication::setPalette(DarkPalette());
  }
  void TearDown() override {
    EditorFixture::TearDown();
    QApplication::setPalette(before);
  }
  QPalette before;
};
}  // namespace

TEST_F(DarkDesktop, EveryCaptionOfTheStripStaysReadable) {
  auto& w = OpenWith({Cube("a", -4)});
  ClickView(PixelOf(-4, 1, 0));
  // The key caps: the caption across the middle of each.
  for (TSBM* b : KeyButtons(w)) {
    const QImage picture = b->grab().toImage().scaled(b->size());
    const QRect band(4, b->height() / 2 - 8, b->width() - 8, 12);
    EXPECT_GE(CaptionContrast(picture, band), 4.5) << b->Caption();
  }
  // The palette's captions under their icons.
  const QImage palette = Child<TMulfig>(w, "Mulfig1")->grab().toImage().scaled(Child<TMulfig>(w, "Mulfig1")->size());
  for (int item = 0; item < 4; ++item) {
    const QRect r = Child<TMulfig>(w, "Mulfig1")->RetanguloDoItem(item);
    EXPECT_GE(CaptionContrast(palette, QRect(r.left() + 2, r.top() + r.height() * 2 / 3 - 5, r.width() - 4, 10)), 4.5)
        << item;
  }
  // A value in a box, and a label of the strip.
  QLineEdit* x = Child<ExactValueBoxes>(w, "ValoresExatos1")->Box(ExactField::X);
  ASSERT_EQ(x->text(), "-4");
  const QImage box = x->grab().toImage().scaled(x->size());
  EXPECT_GE(CaptionContrast(box, QRect(2, 3, x->width() - 4, x->height() - 6)), 4.5);
  const QImage label = Child<QLabel>(w, "Label5")->grab().toImage().scaled(Child<QLabel>(w, "Label5")->size());
  EXPECT_GE(CaptionContrast(label, label.rect()), 4.5);
}
