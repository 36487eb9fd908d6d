// How much of each shape the view draws: frames at rest and thumbnails show
// what every segment shows, to within stray edge pixels; moving frames and
// small pictures send fewer vertices; the shape cache stays within its
// budget and compiles nothing for what lies outside the view.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "bench/gl/MixedScene.h"
#include "gl/ShapeLists.h"
#include "gl/Textures.h"

namespace {
class DrawDetailTest : public SceneFixture {
 protected:
  // The frame drawn with `detail`, in a cache of its own.
  std::vector<unsigned char> Draw(DrawDetail detail) {
    ClearShapeLists(*view);
    scene.detail = detail;
    ApplyCamera(*view);
    Redraw(scene);
    return Frame();
  }
  size_t CachedBytes() const { return view->Shapes ? view->Shapes->bytes : 0; }
  long long SentVertices() const { return view->Shapes ? view->Shapes->frameVertices : 0; }
  // Pixels whose colour differs by more than a shade in some channel.
  static size_t Differing(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    size_t n = 0;
    for (size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 3)
      n += std::abs(a[i] - b[i]) > 24 || std::abs(a[i + 1] - b[i + 1]) > 24 || std::abs(a[i + 2] - b[i + 2]) > 24;
    return n;
  }
  // The seeded mixed document at the editor's panel size (or `size` square).
  void Seeded(int count, int width, int height) {
    MakeSurface(width, height);
    CreateTextures(*view, 8);
    scene.view = view;
    DefaultView(*view);
    FillMixedScene(store, count, true, 25);
  }
};

// The frames the editor shows at rest, against every shape drawn exactly:
// the same picture but for a few edge pixels, for 1,000 and 10,000
// elements, from a fraction of the vertices; moving frames from fewer still.
TEST_F(DrawDetailTest, AtRestTheFrameIsTheFullDetailFrame) {
  for (const int count : {1000, 10000}) {
    SCOPED_TRACE(count);
    Seeded(count, 1191, 389);
    const std::vector<unsigned char> exact = Draw(DrawDetail::Exact);
    const size_t pixels = exact.size() / 3;
    const long long exactVertices = SentVertices();
    const std::vector<unsigned char> rest = Draw(DrawDetail::Needed);
    EXPECT_LE(Differing(exact, rest), pixels / 400) << "more than 0.25 % of the pixels changed";
    const long long restVertices = SentVertices();
    EXPECT_LT(restVertices * 2, exactVertices);
    const std::vector<unsigned char> moving = Draw(DrawDetail::Moving);
    EXPECT_LT(SentVertices() * 3 / 2, restVertices);
    EXPECT_LE(Differing(exact, moving), pixels / 40) << "a moving frame lost the picture";
  }
}

// A thumbnail-sized picture draws what its size shows: far fewer vertices
// than every segment, the same picture but for stray edge pixels; close up,
// a sphere gets its segments back.
TEST_F(DrawDetailTest, SmallPicturesDrawWhatTheirSizeShows) {
  Seeded(1000, 256, 256);
  scene.showEditAids = false;
  const std::vector<unsigned char> exact = Draw(DrawDetail::Exact);
  const long long exactVertices = SentVertices();
  const std::vector<unsigned char> needed = Draw(DrawDetail::Needed);
  EXPECT_LT(SentVertices() * 2, exactVertices);
  EXPECT_LE(Differing(exact, needed), exact.size() / 3 / 200);
  // Close up, the same spheres need every segment again.
  const Element3D ball = store.As<Element3D>(2);
  ASSERT_EQ(ball.kind, kSphere);
  store.SetCount(1);
  store.As<Element3D>(0) = ball;
  const double at[3] = {ball.x, ball.y, ball.z}, from[3] = {0.3, 0.3, 2.5};
  for (int i = 0; i < 3; ++i) view->Center[i] = at[i], view->Eye[i] = at[i] + from[i];
  const std::vector<unsigned char> close = Draw(DrawDetail::Exact);
  const std::vector<unsigned char> closeNeeded = Draw(DrawDetail::Needed);
  EXPECT_LE(Differing(close, closeNeeded), close.size() / 3 / 500);
}

// Spheres whose radii differ below what a pixel shows share their list in
// the view; drawn exactly, each keeps its own.
TEST_F(DrawDetailTest, NearlyEqualShapesShareOneListInTheView) {
  for (int i = 0; i < 50; ++i) Add("ball", kSphere, (i % 10) * 2 - 9, 1, (i / 10) * 2 - 4).dy = 1.5 + i * 1e-7;
  Draw(DrawDetail::Exact);
  EXPECT_EQ(view->Shapes->lists.size(), 50u);
  Draw(DrawDetail::Needed);
  EXPECT_LE(view->Shapes->lists.size(), 3u);
}

// Elements with no size draw nothing and compile nothing; a hostile number
// of distinct shapes never takes the cache past its budget, and the shapes
// past it are drawn without a list: the picture is the same.
TEST_F(DrawDetailTest, TheShapeCacheStaysWithinItsBudget) {
  for (int i = 0; i < 200; ++i) {
    Element3D& e = Add("ball", kSphere, (i % 20) - 9.5, 1 + (i / 20), 0);
    e.dx = e.dy = e.dz = 0.5 + i * 0.001;
  }
  for (int i = 0; i < 100; ++i) {
    Element3D& e = Add("nothing", i % 4, i * 0.1, 0, 0);
    e.dx = e.dy = e.dz = 0;
  }
  // Far outside the view: never compiled.
  for (int i = 0; i < 100; ++i) Add("far", kSphere, 5000 + i, 0, 0).dy = 1 + i * 0.01;
  const std::vector<unsigned char> unbounded = Draw(DrawDetail::Exact);
  EXPECT_EQ(view->Shapes->lists.size(), 200u);

  // A cache of its own with room for about 50 of the spheres.
  ClearShapeLists(*view);
  BeginShapeFrame(*view);
  const size_t budget = 4'000'000;
  view->Shapes->budget = budget;
  ApplyCamera(*view);
  Redraw(scene);
  EXPECT_TRUE(Frame() == unbounded) << "shapes drawn without a list changed the picture";
  EXPECT_LE(view->Shapes->bytes, budget);
  EXPECT_GT(view->Shapes->lists.size(), 10u);
  // Frames after it keep within the budget too, reusing what they can.
  Redraw(scene);
  EXPECT_LE(view->Shapes->bytes, budget);
  EXPECT_TRUE(Frame() == unbounded);
}
}  // namespace
