// Building the compiled frame of 1,000 and 10,000 mixed elements, and
// replaying it under a new camera, on the headless surface.
#include <benchmark/benchmark.h>

#include "MixedScene.h"
#include "common/ProgramFolder.h"
#include "gl/Camera.h"
#include "gl/GLView.h"
#include "gl/HeadlessSurface.h"
#include "gl/SceneFrame.h"
#include "gl/StartingView.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"

namespace {
struct Bench {
  HeadlessSurface surface{640, 480};
  GLView* view = nullptr;
  TIMem32 store{"bench"};
  SceneState scene;

  explicit Bench(int n) {
    view = NewStartingView(&surface, 640, 480, 0);
    FillMixedScene(store, n);
    scene.view = view;
    scene.elements = &store;
  }
  ~Bench() {
    DropSceneList(scene);
    DestroyContext(*view);
  }
};

void BM_BuildFrame(benchmark::State& state) {
  Bench b(static_cast<int>(state.range(0)));
  if (!b.surface.IsValid()) {
    state.SkipWithError("no headless GL context");
    return;
  }
  for (auto _ : state) {
    Redraw(b.scene);
    b.surface.EndFrame();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReplayFrame(benchmark::State& state) {
  Bench b(static_cast<int>(state.range(0)));
  if (!b.surface.IsValid()) {
    state.SkipWithError("no headless GL context");
    return;
  }
  Redraw(b.scene);
  for (auto _ : state) {
    OrbitCamera(*b.view, 0, 1, 0);
    ApplyCamera(*b.view);
    DrawScene(b.scene);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplayFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
