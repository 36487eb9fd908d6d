// Key 5 switches between perspective and the orthographic projection: the
// status line says which, and in the orthographic picture a far cube is
// drawn as wide as a near one.
#include <cmath>

#include "EditorFixture.h"
#include "LatinText.h"
#include "TBarraDeEstado.h"
#include "gl/GLView.h"

namespace {
class Projection : public EditorFixture {
 protected:
  // How much narrower the far cube is drawn than the near one.
  double FarOverNear() {
    ViewOf(*window)->grabFramebuffer();
    auto width = [this](double z) {
      const QPoint d = FramePixelOf(1, 1, z) - FramePixelOf(-1, 1, z);
      return std::hypot(d.x(), d.y());
    };
    return width(-12) / width(0);
  }
};
}  // namespace

TEST_F(Projection, KeyFiveSwitchesAndTheStatusLineSaysWhich) {
  Element3D far = Cube("longe", 0);
  far.z = -12;
  auto& w = OpenWith({Cube("perto", 0), far});
  const QString perspective = L1(Choose("Perspectiva", "Perspective"));
  const QString orthographic =
      L1(Choose("Ortogr\xE1"
                "fica",
                "Orthographic"));
  EXPECT_TRUE(w.Probe().StatusLine().contains(perspective));
  EXPECT_LT(FarOverNear(), 0.95) << "farther, smaller";
  Key(Qt::Key_5);
  EXPECT_FALSE(w.Probe().View().Perspective);
  EXPECT_TRUE(w.Probe().StatusLine().contains(orthographic)) << w.Probe().StatusLine().toStdString();
  EXPECT_NEAR(FarOverNear(), 1, 0.02) << "as wide, far or near";
  EXPECT_EQ(QApplication::focusWidget(), ViewOf(w));
  Key(Qt::Key_5);
  EXPECT_TRUE(w.Probe().StatusLine().contains(perspective));
  EXPECT_LT(FarOverNear(), 0.95);
}
