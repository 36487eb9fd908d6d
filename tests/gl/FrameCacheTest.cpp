// Frames drawn from cached shapes and textures, in a view that has drawn
// before, show exactly what a view drawing the document for the first time
// shows; skipping what lies outside the view changes no pixel either.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "gl/ShapeLists.h"
#include "gl/Textures.h"
#include "tests/export/MixedDocument.h"

namespace {
class FrameCacheTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    CreateTextures(*view, 8);
    // Spread wider than the view, so that some elements lie outside it.
    FillMixedDocument(store, 400);
    for (int32_t i = 0; i < store.Count(); ++i) {
      Element3D& e = store.As<Element3D>(i);
      e.x *= 2.5;
      e.z *= 2.5;
    }
    scene.isSelected = [](int32_t i) { return i % 13 == 0; };
  }

  // The frame the warm view draws now.
  std::vector<unsigned char> Warm() {
    ApplyCamera(*view);
    Redraw(scene);
    return Frame();
  }

  // The same frame in a new context, drawn for the first time.
  std::vector<unsigned char> Cold() {
    const GLView kept = *view;
    MakeSurface(320, 240);
    CreateTextures(*view, 8);
    for (int i = 0; i < 3; ++i) {
      view->Eye[i] = kept.Eye[i];
      view->Center[i] = kept.Center[i];
      view->Up[i] = kept.Up[i];
      view->OrthoMin[i] = kept.OrthoMin[i];
      view->OrthoMax[i] = kept.OrthoMax[i];
    }
    view->Perspective = kept.Perspective;
    view->LightMode = kept.LightMode;
    scene.view = view;
    ClearTextureCache();
    ApplyCamera(*view);
    Redraw(scene);
    return Frame();
  }
};

// Each edit in turn, drawn by the view that drew the document before it,
// against a first drawing of the edited document. A shape, texture or
// label taken from a cache after its element changed shows up here.
TEST_F(FrameCacheTest, EditsDrawnFromCachesMatchAFirstDrawing) {
  Warm();
  const std::vector<std::pair<std::string, std::function<void()>>> edits = {
      {"move and turn", [&] { store.As<Element3D>(1).x = 0, store.As<Element3D>(1).axz = 33; }},
      {"resize",
       [&] {
         store.As<Element3D>(2).dx = 3.5;
         store.As<Element3D>(3).topPercent = 40;
       }},
      {"retexture", [&] { store.As<Element3D>(4).texture.assign("texture3.bmp"); }},
      {"relabel", [&] { store.As<Element3D>(20).name.assign("@Cozinha"); }},
      {"recolour a label", [&] { store.As<Element3D>(60).color = 0x00FFFF; }},
      {"hide", [&] { store.As<Element3D>(5).invisible = 1; }},
      {"delete",
       [&] {
         store.Position = 6;
         store.DeleteAtPosition();
       }},
      {"add",
       [&] {
         store.SetCount(store.Count() + 1);
         Element3D& e = store.As<Element3D>(store.Count() - 1);
         e = store.As<Element3D>(7);
         e.x = 1, e.y = 3, e.dx = 2.25, e.texture.assign("texture1.jpeg");
       }},
  };
  for (const auto& [name, edit] : edits) {
    edit();
    const std::vector<unsigned char> warm = Warm();
    const std::vector<unsigned char> cold = Cold();
    size_t differing = 0;
    for (size_t i = 0; i < warm.size(); ++i) differing += warm[i] != cold[i];
    EXPECT_EQ(differing, 0u) << "after: " << name;
  }
}

// From several cameras, with edit aids and without, in solid and wire
// frames: skipping what lies wholly outside the view changes no pixel.
TEST_F(FrameCacheTest, SkippingWhatIsOutsideTheViewChangesNoPixel) {
  const double eyes[][3] = {{0, 5, 8}, {12, 3, -4}, {-30, 20, 30}, {2, 40, 1}};
  for (const auto& eye : eyes)
    for (int mode = 0; mode < 3; ++mode) {
      for (int i = 0; i < 3; ++i) view->Eye[i] = eye[i];
      scene.showEditAids = mode != 1;
      view->Solid = mode != 2;
      glPolygonMode(GL_FRONT_AND_BACK, view->Solid ? GL_FILL : GL_LINE);
      scene.skipOutsideView = true;
      const std::vector<unsigned char> skipped = Warm();
      scene.skipOutsideView = false;
      const std::vector<unsigned char> all = Warm();
      size_t differing = 0;
      for (size_t i = 0; i < all.size(); ++i) differing += all[i] != skipped[i];
      EXPECT_EQ(differing, 0u) << "eye " << eye[0] << " " << eye[1] << " " << eye[2] << ", mode " << mode;
    }
  // The last element outside the view: the boxes after it keep their shade.
  store.SetCount(store.Count() + 1);
  Element3D& far = store.As<Element3D>(store.Count() - 1);
  far = store.As<Element3D>(3);
  far.x = 500;
  for (int i = 0; i < 3; ++i) view->Eye[i] = eyes[0][i];
  scene.showEditAids = true;
  scene.skipOutsideView = true;
  const std::vector<unsigned char> skipped = Warm();
  scene.skipOutsideView = false;
  EXPECT_TRUE(Warm() == skipped) << "the boxes after a skipped last element changed";
}
}  // namespace
