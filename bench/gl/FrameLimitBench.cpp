// Frames of the seeded mixed documents at the editor panel's size, each
// beside the limit measured in the same run: a minimal program drawing the
// same triangles, one display list per object (its transform and mesh, no
// textures), fixed-function lighting, glFinish per frame.
//   BM_LimitFrame/N        the limit
//   BM_CameraFrame/N       every shape drawn whole after a camera move (goal:
//                          at most 1.5x the limit)
//   BM_MovingFrame/N       the editor's frame while the camera moves, shapes
//                          as cheap as their size on screen allows (goal: at
//                          most 0.5x the limit)
//   BM_RestFrame/N         the editor's frame once input rests: what its
//                          pixels show (the picture of BM_CameraFrame but
//                          for stray edge pixels)
//   BM_PlainCameraFrame/N  the same document without textures and labels
//                          (the textured frame's goal: at most 1.2x this)
//   BM_MoveStep/N          moving 1,000 elements one step, then the frame
//                          (goal: at most 1.2x the camera frame)
//   BM_AddUndoStep/N       1,000 elements appended, drawn, taken away, drawn
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "FontBenchMain.h"
#include "LimitElement.h"
#include "MixedScene.h"
#include "gl/Camera.h"
#include "gl/DrawWrappers.h"
#include "gl/GLView.h"
#include "gl/HeadlessSurface.h"
#include "gl/SceneFrame.h"
#include "gl/ShapeLists.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"

namespace {
constexpr int kWidth = 1191, kHeight = 389;

struct Bench {
  HeadlessSurface surface{kWidth, kHeight};
  GLView* view = nullptr;
  TIMem32 store{"bench"};
  SceneState scene;

  Bench(int n, bool textured) {
    view = NewView();
    CreateContext(*view, &surface, kWidth, kHeight);
    CreateTextures(*view, 8);
    DefaultView(*view);
    ApplyCamera(*view);
    FillMixedScene(store, n, textured, textured ? 25 : 0);
    scene.view = view;
    scene.elements = &store;
  }
  ~Bench() { DestroyContext(*view); }
  void Frame() {
    ApplyCamera(*view);
    DrawScene(scene);
  }
};

void BM_LimitFrame(benchmark::State& state) {
  Bench b(static_cast<int>(state.range(0)), false);
  if (!b.surface.IsValid()) return state.SkipWithError("no headless GL context");
  std::vector<unsigned> lists;
  for (int32_t i = 0; i < b.store.Count(); ++i) {
    const Element3D& e = b.store.As<Element3D>(i);
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    DrawLimitElement(e);
    glEndList();
    lists.push_back(list);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  for (auto _ : state) {
    OrbitCamera(*b.view, 0, 1, 0);
    ApplyCamera(*b.view);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (unsigned list : lists) glCallList(list);
    glFinish();
  }
  for (unsigned list : lists) glDeleteLists(list, 1);
}

void CameraFrames(benchmark::State& state, bool textured, DrawDetail detail = DrawDetail::Exact) {
  Bench b(static_cast<int>(state.range(0)), textured);
  if (!b.surface.IsValid()) return state.SkipWithError("no headless GL context");
  b.scene.detail = detail;
  b.Frame();
  for (auto _ : state) {
    OrbitCamera(*b.view, 0, 1, 0);
    b.Frame();
  }
}
void BM_CameraFrame(benchmark::State& state) { CameraFrames(state, true); }
void BM_PlainCameraFrame(benchmark::State& state) { CameraFrames(state, false); }
void BM_MovingFrame(benchmark::State& state) { CameraFrames(state, true, DrawDetail::Moving); }
void BM_RestFrame(benchmark::State& state) { CameraFrames(state, true, DrawDetail::Needed); }

void BM_MoveStep(benchmark::State& state) {
  Bench b(static_cast<int>(state.range(0)), true);
  if (!b.surface.IsValid()) return state.SkipWithError("no headless GL context");
  b.Frame();
  double step = 0.5;
  for (auto _ : state) {
    for (int32_t i = 0; i < 1000 && i < b.store.Count(); ++i) b.store.As<Element3D>(i).x += step;
    step = -step;
    Redraw(b.scene);
  }
}

void BM_AddUndoStep(benchmark::State& state) {
  Bench b(static_cast<int>(state.range(0)), true);
  if (!b.surface.IsValid()) return state.SkipWithError("no headless GL context");
  b.Frame();
  const int32_t n = b.store.Count();
  TIMem32 added{"added"};
  FillMixedScene(added, 1000, true, 25);
  for (auto _ : state) {
    b.store.SetCount(n + 1000);
    for (int32_t i = 0; i < 1000; ++i) b.store.As<Element3D>(n + i) = added.As<Element3D>(i);
    Redraw(b.scene);
    b.store.SetCount(n);
    Redraw(b.scene);
  }
}

BENCHMARK(BM_LimitFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CameraFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCameraFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MovingFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RestFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveStep)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddUndoStep)->Arg(1000)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) { return RunBenchmarksWithFonts(argc, argv); }
