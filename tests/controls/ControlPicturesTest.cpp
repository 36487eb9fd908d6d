// The control library's pictures as a scaled desktop shows them. The test
// runs twice: at ratio 1 and with QT_SCALE_FACTOR=2 (see CMakeLists.txt).
#include <QApplication>
#include <QTest>
#include <QtMath>

#include "controls/ControlPictures.h"
#include "controls/PictureTools.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"

namespace {
// Aligned 2 x 2 blocks of `shot` whose pixels differ: a picture enlarged
// from one pixel per widget unit has none.
int DetailedBlocks(const QImage& shot) {
  int n = 0;
  for (int y = 0; y + 1 < shot.height(); y += 2)
    for (int x = 0; x + 1 < shot.width(); x += 2) {
      const QRgb p = shot.pixel(x, y);
      if (shot.pixel(x + 1, y) != p || shot.pixel(x, y + 1) != p || shot.pixel(x + 1, y + 1) != p) ++n;
    }
  return n;
}
}  // namespace

class ControlPicturesTest : public QObject {
  Q_OBJECT
 private slots:
  // Every picture keeps its size in widget units and gains pixels with the ratio.
  void KeepTheirSizeAtEveryRatio() {
    const struct {
      const char* name;
      QSize size;
    } pictures[] = {{"UG", {7, 4}},     {"DG", {7, 4}},         {"keycap", {34, 30}}, {"cursor", {16, 16}},
                    {"cube", {16, 16}}, {"cylinder", {16, 16}}, {"sphere", {16, 16}}};
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
      for (const auto& p : pictures) {
        const QImage image = DrawControlPicture(p.name, ratio);
        QCOMPARE(image.deviceIndependentSize().toSize(), p.size);
        QCOMPARE(image.width(), qCeil(p.size.width() * ratio));
      }
      QCOMPARE(KeyCapPicture(50, ratio).deviceIndependentSize().toSize(), QSize(50, 30));
    }
    QVERIFY(DrawControlPicture("missing", 2).isNull());
    // Greyed or put on another face, a picture keeps its ratio.
    QImage cube = DrawControlPicture("cube", 2);
    ReplaceGreysWithFace(cube, qRgb(255, 255, 255));
    QCOMPARE(cube.devicePixelRatio(), 2.0);
    QCOMPARE(DisabledPicture(cube, qRgb(255, 255, 255)).devicePixelRatio(), 2.0);
  }

  // The palette's items and a key button show their pictures at the
  // screen's resolution, not enlarged from one pixel per widget unit.
  void PalettesAndKeyButtonsAreSharpOnAScaledDesktop() {
    if (qApp->devicePixelRatio() < 2) QSKIP("needs a desktop scaled by 2 (the QT_SCALE_FACTOR=2 run)");
    TMulfig palette;
    palette.setLista({"Cursor", "Cubo", "Cilindro", "Esfera"});
    const char* icons[] = {"cursor", "cube", "cylinder", "sphere"};
    for (int i = 0; i < 4; ++i) palette.setFiguraDoItem(i, ControlPicture(icons[i]));
    palette.setMostraTextoAbaixo(true);
    palette.AjustaFundoDasFiguras();
    palette.setLargX(44);
    palette.setLargY(42);
    palette.resize(190, 44);
    const QImage items = palette.grab().toImage();
    QCOMPARE(items.width(), 380);
    QVERIFY2(DetailedBlocks(items) > 200, "the palette is enlarged");

    TSBM key;  // no caption: only the picture has detail
    key.resize(44, 39);
    key.setGlyph(KeyCapPicture(42, qApp->devicePixelRatio()));
    const QImage cap = key.grab().toImage();
    QVERIFY2(DetailedBlocks(cap) > 40, "the key cap is enlarged");
    // The picture stands in the middle: as much white left and right of it.
    const int y = cap.height() / 2;
    int left = 0, right = cap.width() - 1;
    while (left < cap.width() && cap.pixel(left, y) == qRgb(255, 255, 255)) ++left;
    while (right > 0 && cap.pixel(right, y) == qRgb(255, 255, 255)) --right;
    QVERIFY(std::abs(left - (cap.width() - 1 - right)) <= 2);
  }
};

QTEST_MAIN(ControlPicturesTest)
#include "ControlPicturesTest.moc"
