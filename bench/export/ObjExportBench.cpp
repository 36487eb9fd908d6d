// Exporting 10,000 mixed elements to OBJ + MTL (the whole save: forced
// rebuild of the frame while recording, then the files), in MB/s of OBJ
// text; and the number format alone. Where assimp is installed, the time
// of `assimp export` re-writing the same OBJ is measured in the same run
// for comparison; otherwise that benchmark is skipped.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/gl/MixedScene.h"
#include "export/FormatNumber.h"
#include "gl/DocumentSave.h"
#include "gl/GLView.h"
#include "gl/HeadlessSurface.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"

namespace {
namespace fs = std::filesystem;

fs::path Folder() {
  static const fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / ("obj3d_bench_export_" + std::to_string(getpid()));
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

void BM_ExportObj(benchmark::State& state) {
  HeadlessSurface surface(320, 240);
  if (!surface.IsValid()) {
    state.SkipWithError("no headless GL context");
    return;
  }
  GLView* view = NewView();
  CreateContext(*view, &surface, 320, 240);
  CreateTextures(*view, 8);
  DefaultView(*view);
  ApplyCamera(*view);
  TIMem32 store("bench");
  FillMixedScene(store, static_cast<int>(state.range(0)));
  SceneState scene;
  scene.view = view;
  scene.elements = &store;
  const std::string obj = (Folder() / "bench.obj").string();
  for (auto _ : state) {
    if (!SaveDocument(scene, obj, "").ok()) {
      state.SkipWithError("export failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(obj)));
  DropSceneList(scene);
  DestroyContext(*view);
}
BENCHMARK(BM_ExportObj)->Arg(10000)->Unit(benchmark::kMillisecond);

// Needs BM_ExportObj's file; benchmarks run in the order registered.
void BM_AssimpRewritesTheSameObj(benchmark::State& state) {
  const fs::path obj = Folder() / "bench.obj";
  if (std::system("command -v assimp >/dev/null 2>&1") != 0) {
    state.SkipWithError("assimp-utils not installed");
    return;
  }
  if (!fs::exists(obj)) {
    state.SkipWithError("run together with BM_ExportObj");
    return;
  }
  const std::string command =
      "assimp export " + obj.string() + " " + (Folder() / "assimp.obj").string() + " >/dev/null 2>&1";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("assimp export failed");
      break;
    }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(obj)));
}
BENCHMARK(BM_AssimpRewritesTheSameObj)->Unit(benchmark::kMillisecond);

void BM_FormatNumber(benchmark::State& state) {
  std::string out;
  out.reserve(1 << 20);
  double v = -12.3456789;
  for (auto _ : state) {
    out.clear();
    for (int i = 0; i < 1000; ++i) {
      AppendNumber(out, v);
      out += ' ';
      v += 0.0137;
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_FormatNumber);
}  // namespace

BENCHMARK_MAIN();
