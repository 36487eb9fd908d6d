// The panel's picture as a user sees it: what one frame shows must not
// depend on what the frames before it left in the GL state.
#include <QImage>

#include "EditorFixture.h"

namespace {
class EditorPicture : public EditorFixture {
 protected:
  // A label, a scale ruler and a textured cube, clear of the middle of the
  // grid, so most of the floor shows.
  TFEditorDeObjetos1& OpenLabelled() {
    Element3D label = Cube("@Sala", -5), ruler = Cube("@escala|v|10|0|5|2|", 5), boxed = Cube("box", 0);
    label.color = 0x204060;
    ruler.dx = 1, ruler.dy = 4;
    boxed.z = -6;
    boxed.texture.assign("texture3.bmp");
    return OpenWith({boxed, ruler, label});
  }

  // Light grid pixels (the lines are drawn in pale greys and lilacs) in the
  // floor's area below the elements.
  static int GridPixels(const QImage& frame) {
    int n = 0;
    for (int y = frame.height() * 3 / 4; y < frame.height(); ++y)
      for (int x = 80; x < frame.width(); ++x) {
        const QColor c = frame.pixelColor(x, y);
        n += c.red() > 150 && c.green() > 150 && c.blue() > 150;
      }
    return n;
  }
};

// Esc draws the same picture again; so does any redraw that edits nothing.
// Label pictures once left their texture bound, and the replayed grid came
// out dark until the next edit.
TEST_F(EditorPicture, RedrawsWithoutAnEditShowTheSamePicture) {
  TFEditorDeObjetos1& w = OpenLabelled();
  const QImage first = w.Tela1->grabFramebuffer();
  ASSERT_GT(GridPixels(first), 200) << "no light grid in the first frame";
  Key(Qt::Key_Escape);
  const QImage afterEscape = w.Tela1->grabFramebuffer();
  EXPECT_EQ(GridPixels(afterEscape), GridPixels(first));
  EXPECT_TRUE(afterEscape == first) << "Esc changed the picture";
  w.Redraw();
  w.Tela1->grabFramebuffer();
  const QImage again = w.Tela1->grabFramebuffer();
  EXPECT_TRUE(again == first) << "a redraw changed the picture";
}
}  // namespace
