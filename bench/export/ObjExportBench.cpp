// Exporting 10,000 mixed elements to OBJ + MTL, the whole save as the batch
// tool runs it (the frame recorded without drawing, the files on disk), with
// vertices per second and the memory the export adds to the document. Beside
// it, in the same run: the same number of vertex, normal and texture lines
// written with plain std::to_chars, `assimp export` re-writing the same OBJ
// (where assimp is installed), 10,000 labels exported, and the number format
// beside std::to_chars. The ratios are printed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "BenchFolder.h"
#include "bench/ProcessMemory.h"
#include "bench/gl/MixedScene.h"
#include "export/FormatNumber.h"
#include "gl/SceneFrame.h"
#include "output/DocumentSave.h"

namespace {
namespace fs = std::filesystem;

fs::path Folder() { return BenchFolder("obj3d_bench_export_"); }

// Starts the peak-memory count again from what is in use now.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// What the last run of each benchmark took per iteration (seconds), and
// its counters, for the ratios printed after the run.
struct Figures {
  double seconds = 0, cpuSeconds = 0;
  std::map<std::string, double> counters;
};
std::map<std::string, Figures>& Results() {
  static std::map<std::string, Figures> results;
  return results;
}

int64_t g_vertices = 0;  // vertices of the last mixed export, for the baseline

// The "v" lines of an OBJ file.
int64_t VertexLines(const std::string& path) {
  std::ifstream in(path);
  int64_t count = 0;
  for (std::string line; std::getline(in, line);) count += line.size() > 1 && line[0] == 'v' && line[1] == ' ';
  return count;
}

void Export(benchmark::State& state, TIMem32& store, const std::string& name) {
  SceneState scene;
  scene.elements = &store;
  const std::string obj = (Folder() / name).string();
  malloc_trim(0);  // what earlier benchmarks freed is not counted as in use
  const double before = StatusBytes("VmRSS:");
  ResetPeakMemory();
  for (auto _ : state) {
    const Outcome r = SaveDocument(scene, obj, "");
    if (!r.ok()) {
      state.SkipWithError(r.reason.c_str());
      return;
    }
  }
  state.counters["MB_above_doc"] = (StatusBytes("VmHWM:") - before) / 1e6;  // before the file is read back
  const int64_t vertices = VertexLines(obj);
  state.counters["vertices/s"] =
      benchmark::Counter(static_cast<double>(vertices), benchmark::Counter::kIsIterationInvariantRate);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(obj)));
  if (name == "mixed.obj") g_vertices = vertices;
}

void BM_ExportObj(benchmark::State& state) {
  TIMem32 store("bench");
  FillMixedScene(store, static_cast<int>(state.range(0)));
  Export(state, store, "mixed.obj");
}
BENCHMARK(BM_ExportObj)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same count of "v", "vn" and "vt" lines as the export wrote, numbers
// by std::to_chars (shortest form) and the text written in 4 MB blocks: how
// fast the file system and the plainest formatting take the same text.
void BM_ToCharsSameLines(benchmark::State& state) {
  const std::string path = (Folder() / "tochars.obj").string();
  const int64_t vertices = g_vertices > 0 ? g_vertices : 1000000;
  for (auto _ : state) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::string text;
    text.reserve(1 << 23);
    // Numbers of a scene's shape: a few digits before the point, up to
    // six after, as the export's cut leaves them.
    int64_t step = 0;
    auto line = [&](const char* tag, int n) {
      text += tag;
      for (int k = 0; k < n; ++k) {
        char buf[32];
        text += ' ';
        const double x = static_cast<double>((step++ * 7919) % 40000000 - 20000000) / 1e6;
        text.append(buf, std::to_chars(buf, buf + sizeof buf, x).ptr);
      }
      text += '\n';
    };
    for (int64_t i = 0; i < vertices; ++i) {
      line("v", 3);
      line("vn", 3);
      line("vt", 2);
      if (text.size() >= (1 << 22)) {
        std::fwrite(text.data(), 1, text.size(), out);
        text.clear();
      }
    }
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
  state.counters["vertices/s"] =
      benchmark::Counter(static_cast<double>(vertices), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ToCharsSameLines)->Unit(benchmark::kMillisecond)->UseRealTime();

// Needs BM_ExportObj's file; benchmarks run in the order registered.
void BM_AssimpRewritesTheSameObj(benchmark::State& state) {
  const fs::path obj = Folder() / "mixed.obj";
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
BENCHMARK(BM_AssimpRewritesTheSameObj)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// 10,000 labels, each with a name of its own, beside the same cubes unnamed.
void Labels(benchmark::State& state, bool named) {
  TIMem32 store("labels");
  FillMixedScene(store, static_cast<int>(state.range(0)));
  for (int i = 0; i < store.Count(); ++i) {
    Element3D& e = store.As<Element3D>(i);
    e.kind = kCube;
    e.name.assign(named ? "@Room " + std::to_string(i) : "cube" + std::to_string(i));
  }
  Export(state, store, named ? "labels.obj" : "cubes.obj");
}
void BM_ExportLabels(benchmark::State& state) { Labels(state, true); }
BENCHMARK(BM_ExportLabels)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_ExportSameCubesUnlabelled(benchmark::State& state) { Labels(state, false); }
BENCHMARK(BM_ExportSameCubesUnlabelled)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

template <typename Append>
void Numbers(benchmark::State& state, Append append) {
  std::string out;
  out.reserve(1 << 20);
  for (auto _ : state) {
    out.clear();
    double v = -12.3456789;
    for (int i = 0; i < 1000; ++i) {
      append(out, v);
      out += ' ';
      v += 0.0137;
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
void BM_FormatNumber(benchmark::State& state) {
  Numbers(state, [](std::string& o, double v) { AppendNumber(o, v); });
}
BENCHMARK(BM_FormatNumber);
void BM_ToCharsShortest(benchmark::State& state) {
  Numbers(state, [](std::string& o, double v) {
    char buf[32];
    o.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
  });
}
BENCHMARK(BM_ToCharsShortest);

class KeepingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      Figures& f = Results()[run.run_name.function_name];
      f.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      f.cpuSeconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      for (const auto& [name, counter] : run.counters) f.counters[name] = counter.value;
    }
  }
};

// Time of `over` divided by time of `under`.
void PrintRatio(const char* what, const std::string& over, const std::string& under, const char* meaning) {
  auto& r = Results();
  if (!r.count(over) || !r.count(under) || r[over].seconds <= 0 || r[under].seconds <= 0) return;
  std::printf("  %-46s %8.2f  (%s)\n", what, r[over].seconds / r[under].seconds, meaning);
}
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  KeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto& r = Results();
  std::printf("\nRatios (same run):\n");
  if (r.count("BM_ExportObj")) {
    Figures& e = r["BM_ExportObj"];
    std::printf("  %-46s %8.2f  (target >= 4)\n", "export, M vertices/s", e.counters["vertices/s"] / 1e6);
    // On a machine shared with other work the process's own CPU time tells
    // what the export costs; the wall clock also holds the waiting.
    if (e.cpuSeconds > 0)
      std::printf("  %-46s %8.2f\n", "export, M vertices per CPU second",
                  e.counters["vertices/s"] * e.seconds / e.cpuSeconds / 1e6);
    std::printf("  %-46s %8.1f  (target <= 64)\n", "export, MB above the document", e.counters["MB_above_doc"]);
  }
  PrintRatio("export speed / std::to_chars same lines", "BM_ToCharsSameLines", "BM_ExportObj",
             "1 = as fast as the plainest writer");
  PrintRatio("assimp re-writing it / export, time", "BM_AssimpRewritesTheSameObj", "BM_ExportObj", "target >= 5");
  if (r.count("BM_ExportLabels")) {
    Figures& l = r["BM_ExportLabels"];
    std::printf("  %-46s %8.2f  (target < 3)\n", "10,000 labels, seconds", l.seconds);
    std::printf("  %-46s %8.1f  (target < 300)\n", "10,000 labels, MB above the document", l.counters["MB_above_doc"]);
  }
  PrintRatio("labelled / unlabelled cubes, time", "BM_ExportLabels", "BM_ExportSameCubesUnlabelled",
             "1 = labels cost nothing extra");
  PrintRatio("number format / std::to_chars shortest, time", "BM_FormatNumber", "BM_ToCharsShortest", "1 = as fast");
  benchmark::Shutdown();
  return 0;
}
