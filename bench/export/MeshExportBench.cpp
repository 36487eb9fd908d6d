// The glTF binary and STL exports of 10,000 mixed elements beside the OBJ
// export of the same scene in the same run (each a whole save: the forced
// rebuild of the frame while recording, then the files); the "bytes"
// counter is the size of the file written. Then the thumbnail of the bundled
// sample as a file manager runs it (a whole objetos3d-cli process), beside a
// 256 x 256 JPEG picture through `export`, the same process doing the same
// drawing.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchFolder.h"
#include "bench/gl/MixedScene.h"
#include "gl/GLView.h"
#include "gl/HeadlessSurface.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"
#include "output/DocumentSave.h"

#ifndef CLI_PATH
#error CLI_PATH names the built objetos3d-cli
#endif

namespace {
namespace fs = std::filesystem;

fs::path Folder() { return BenchFolder("obj3d_bench_mesh_"); }

void Export(benchmark::State& state, const char* extension) {
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
  const std::string path = (Folder() / (std::string("bench") + extension)).string();
  for (auto _ : state) {
    const Outcome r = SaveDocument(scene, path, "");
    if (!r.ok()) {
      state.SkipWithError(r.reason.c_str());
      break;
    }
  }
  if (fs::exists(path)) state.counters["bytes"] = static_cast<double>(fs::file_size(path));
  DropSceneList(scene);
  DestroyContext(*view);
}

void BM_ExportObj(benchmark::State& state) { Export(state, ".obj"); }
void BM_ExportGlb(benchmark::State& state) { Export(state, ".glb"); }
void BM_ExportStl(benchmark::State& state) { Export(state, ".stl"); }
BENCHMARK(BM_ExportObj)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportGlb)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportStl)->Arg(10000)->Unit(benchmark::kMillisecond);

// `objetos3d-cli <command> <sample> <output> <options>`, one process a run.
void RunCli(benchmark::State& state, const std::string& command, const std::string& output,
            const std::string& options) {
  const std::string sample = (fs::path(CLI_PATH).parent_path() / "Vist3D" / "sample.zobj3d").string();
  const std::string line = std::string(CLI_PATH) + " " + command + " " + sample + " " + (Folder() / output).string() +
                           " " + options + " 2>/dev/null";
  for (auto _ : state)
    if (std::system(line.c_str()) != 0) {
      state.SkipWithError("objetos3d-cli failed");
      break;
    }
}

void BM_ThumbnailSample(benchmark::State& state) { RunCli(state, "thumbnail", "thumb.png", ""); }
void BM_JpegPictureOfSample(benchmark::State& state) {
  RunCli(state, "export", "picture.jpeg", "--width 256 --height 256");
}
BENCHMARK(BM_ThumbnailSample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegPictureOfSample)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
