// The panel's picture as a user sees it: what one frame shows must not
// depend on what the frames before it left in the GL state.
#include <QImage>

#include "EditorFixture.h"
#include "TBarraDeEstado.h"
#include "TGLPanel.h"
#include "gl/LabelTextures.h"

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
  const QImage first = ViewOf(w)->grabFramebuffer();
  ASSERT_GT(GridPixels(first), 200) << "no light grid in the first frame";
  Key(Qt::Key_Escape);
  const QImage afterEscape = ViewOf(w)->grabFramebuffer();
  EXPECT_EQ(GridPixels(afterEscape), GridPixels(first));
  EXPECT_TRUE(afterEscape == first) << "Esc changed the picture";
  w.Redraw();
  ViewOf(w)->grabFramebuffer();
  const QImage again = ViewOf(w)->grabFramebuffer();
  EXPECT_TRUE(again == first) << "a redraw changed the picture";
}
// While the camera turns the view draws cheaper spheres; once the keys rest
// it draws them whole again, the picture any edit at rest draws.
TEST_F(EditorPicture, AfterTheCameraMovesTheViewComesToRestWhole) {
  std::vector<Element3D> balls;
  for (int i = 0; i < 60; ++i) {
    Element3D ball = Cube("ball", (i % 15) * 1.2 - 9);
    ball.kind = kSphere;
    ball.dx = ball.dy = ball.dz = 0.8;
    ball.z = (i / 15) * 1.2 - 2;
    balls.push_back(ball);
  }
  TFEditorDeObjetos1& w = OpenWith(balls);
  const auto resting = [&w] { return !ViewOf(w)->Moving(); };
  ASSERT_TRUE(Soon(resting));
  const QImage before = ViewOf(w)->grabFramebuffer();
  Key(Qt::Key_Left);
  const QImage moving = ViewOf(w)->grabFramebuffer();
  EXPECT_FALSE(moving == before) << "the camera did not turn";
  ASSERT_TRUE(Soon(resting));
  const QImage rest = ViewOf(w)->grabFramebuffer();
  EXPECT_FALSE(rest == moving) << "the moving frame drew every segment";
  w.Redraw();
  EXPECT_TRUE(ViewOf(w)->grabFramebuffer() == rest) << "the picture at rest is not the whole one";
}

// Labels past the pictures' budget are drawn as plain faces, and the status
// line says so while some are; the notice goes with the labels.
TEST_F(EditorPicture, TheStatusLineTellsWhenLabelsAreDrawnWithoutPictures) {
  std::vector<Element3D> labels;
  const size_t fit = kLabelPictureBudget / (256 * 256 * 3);
  for (size_t i = 0; i < fit + 8; ++i) labels.push_back(Cube(("@L" + std::to_string(i)).c_str(), double(i % 40) - 20));
  labels.push_back(Cube("box", 0));
  TFEditorDeObjetos1& w = OpenWith(labels);
  const QString notice = QString::fromLatin1("Etiquetas demais");
  ASSERT_TRUE(Soon([&] { return w.Probe().StatusLine().contains(notice); })) << w.Probe().StatusLine().toStdString();
  EXPECT_TRUE(w.Probe().StatusLine().contains(QString::fromLatin1("Selecionados: 0"))) << "the notice hid the line";
  ClickListRow(0);
  ClickListRow(11, Qt::ShiftModifier);
  ASSERT_EQ(w.Probe().SelectionCount(), 12);
  Key(Qt::Key_Delete);
  ASSERT_TRUE(Soon([&] { return !w.Probe().StatusLine().contains(notice); })) << w.Probe().StatusLine().toStdString();
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Soon([&] { return w.Probe().StatusLine().contains(notice); })) << "the notice was not given again";
}
}  // namespace
