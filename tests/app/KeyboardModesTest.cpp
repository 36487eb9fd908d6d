// The block mode as F11 and its key button switch it, and the zoom keys of
// a keyboard without a keypad; driven by keys, pointer moves and clicks,
// read from the saved document, the status line and the view.
#include <QCursor>
#include <array>
#include <cmath>
#include <utility>

#include "EditorFixture.h"
#include "TBarraDeEstado.h"
#include "controls/TSBM.h"
#include "gl/GLView.h"

namespace {
class KeyboardModes : public EditorFixture {
 protected:
  TSBM* KeyButton(const char* caption) {
    for (TSBM* b : KeyButtons(*window))
      if (b->Caption() == caption) return b;
    ADD_FAILURE() << caption;
    return KeyButtons(*window).front();
  }
  bool StatusSays(const char* word) { return window->Probe().StatusLine().contains(word); }

  // A click in block mode adds at the pointer, so the pointer goes there too.
  void ClickCell(double x, double z) {
    const QPoint at = PixelOf(x, 0, z);
    MovePointer(at);
    ClickView(at);
  }
  double DistanceToCentre() {
    const GLView& v = window->Probe().View();
    return std::hypot(v.Eye[0] - v.Center[0], v.Eye[1] - v.Center[1], v.Eye[2] - v.Center[2]);
  }
};
}  // namespace

// New blocks stand on the floor and on each other; a block of an older
// document (centred on the floor, half sunk) still carries the next one.
// F11 switches the mode on and off again, and so does its button; the
// button stays down and the status line says so while it is on.
TEST_F(KeyboardModes, BlocksRestOnTheFloorAndF11SwitchesTheModeBothWays) {
  Element3D old = Cube("old block", 4);
  old.y = 0;
  old.z = 4;
  auto& w = OpenWith({old});
  EXPECT_FALSE(StatusSays("Bloco"));
  Key(Qt::Key_F11);
  EXPECT_TRUE(StatusSays("Bloco"));
  EXPECT_TRUE(KeyButton("F11")->MostradoAbaixo()) << "the F11 button shows the mode";

  ClickCell(-5, -5);  // an empty cell: on the floor
  ClickCell(-5, -5);  // on that block
  ClickCell(5, 5);    // on the old block
  ClickCell(5, 5);    // on the block just put there
  Key(Qt::Key_S, Qt::ControlModifier);
  const std::vector<Element3D> saved = ReadElements(dir.file("doc.zobj3d"));
  ASSERT_EQ(saved.size(), 5u);
  const double expected[][3] = {{-4, 1, -4}, {-4, 3, -4}, {4, 2, 4}, {4, 4, 4}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const Element3D& b = saved[i + 1];
    EXPECT_EQ((std::array<double, 3>{b.x, b.y, b.z}),
              (std::array<double, 3>{expected[i][0], expected[i][1], expected[i][2]}));
    EXPECT_EQ(+b.dy, 2.0);
  }

  Key(Qt::Key_F11);  // the same key leaves the mode
  EXPECT_FALSE(StatusSays("Bloco"));
  EXPECT_FALSE(KeyButton("F11")->MostradoAbaixo());
  ClickCell(-9, 9);
  EXPECT_EQ(w.Probe().Count(), 5) << "a click out of the block mode added a block";

  // The button does what the key does, and shows it after the click too.
  QTest::mouseClick(KeyButton("F11"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_TRUE(StatusSays("Bloco"));
  EXPECT_TRUE(KeyButton("F11")->MostradoAbaixo());
  QTest::mouseClick(KeyButton("F11"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_FALSE(StatusSays("Bloco"));
  EXPECT_FALSE(KeyButton("F11")->MostradoAbaixo());

  // F10 and Esc leave it as before.
  for (Qt::Key off : {Qt::Key_F10, Qt::Key_Escape}) {
    Key(Qt::Key_F11);
    ASSERT_TRUE(StatusSays("Bloco"));
    Key(off);
    EXPECT_FALSE(StatusSays("Bloco")) << off;
    EXPECT_FALSE(KeyButton("F11")->MostradoAbaixo()) << off;
  }
}

// The main keyboard's + (with or without Shift, as =) and - zoom as the
// keypad's: each a share of the way to the centre, which stays.
TEST_F(KeyboardModes, TheMainKeyboardZoomsLikeTheKeypad) {
  Open();
  const GLView& v = window->Probe().View();
  const double start = DistanceToCentre();
  const double centre[3] = {v.Center[0], v.Center[1], v.Center[2]};
  const std::pair<Qt::Key, Qt::KeyboardModifiers> presses[] = {{Qt::Key_Plus, Qt::KeypadModifier},
                                                               {Qt::Key_Plus, Qt::ShiftModifier},
                                                               {Qt::Key_Equal, Qt::NoModifier},
                                                               {Qt::Key_Minus, Qt::NoModifier}};
  for (const auto& [key, mods] : presses) {
    const double before = v.Eye[1];
    Key(key, mods);
    EXPECT_NE(v.Eye[1], before) << key << " did not move the camera";
  }
  // Three in, one out.
  EXPECT_NEAR(DistanceToCentre(), start * 0.88 * 0.88, 1e-9 * start);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(v.Center[i], centre[i]);
}
