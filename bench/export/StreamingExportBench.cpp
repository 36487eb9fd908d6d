// Large documents through the batch tool, each figure beside its baseline
// measured in the same run (each a whole process, the fastest of up to
// three runs, with its peak resident memory):
//  - every export (.obj, .stl, .glb) against `dd` writing as many bytes
//    (for OBJ its MTL and copied textures too) with a final fsync, the
//    fastest of up to four turns each (goal: at most 1.15x for OBJ, 1.5x
//    for STL and glTF), and its memory above `info` on the same document
//    (goal: under 64 MB);
//  - the thumbnail, drawn with the detail a 256-pixel picture needs, against
//    a 256 x 256 JPEG of the same view drawn with every shape whole, and its
//    memory above `info`.
// Documents: the seeded 100,000 elements (cubes and cylinders in rows) and
// 10,000 mixed elements (cubes, cylinders, spheres, panels, textures).
// usage: bench_streaming_export [--benchmark_filter=...]
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BenchFolder.h"
#include "bench/core/SeededDocument.h"
#include "bench/gl/MixedScene.h"
#include "document/DocumentFile.h"

#ifndef CLI_PATH
#error CLI_PATH names the built objetos3d-cli
#endif

namespace {
namespace fs = std::filesystem;

const fs::path& RunFolder() { return BenchFolder("obj3d_bench_streaming_"); }

std::string MakeDocument(const std::string& name) {
  const std::string path = (RunFolder() / (name + ".zobj3d")).string();
  if (fs::exists(path)) return path;
  TIMem32 store("bench");
  store.RecordSize = kElementRecordSize;
  if (name == "seeded100k") {
    const std::vector<Element3D> elements = SeededElements(100000);
    store.SetCount(static_cast<int32_t>(elements.size()));
    for (size_t i = 0; i < elements.size(); ++i) store.As<Element3D>(static_cast<int32_t>(i)) = elements[i];
  } else {
    FillMixedScene(store, 10000);
  }
  return WriteDocument(path, store).ok() ? path : std::string();
}

struct Figures {
  double seconds = 0, peakMB = 0;
  uint64_t bytes = 0;
  bool ok = false;
};
std::map<std::string, Figures>& Results() {
  static std::map<std::string, Figures> results;
  return results;
}

// One process: its wall time and its own peak resident set.
Figures Run(std::vector<std::string> argv) {
  std::vector<char*> pointers;
  for (std::string& a : argv) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  Figures f;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(126);
    execvp(pointers[0], pointers.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return f;
  f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  f.peakMB = usage.ru_maxrss / 1024.0;
  f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return f;
}

// The fastest of up to three runs while they take under 20 s together:
// other work on a shared machine only ever adds time.
Figures Fastest(const std::vector<std::string>& argv) {
  Figures best;
  double spent = 0;
  for (int run = 0; run < 3 && (run == 0 || (best.ok && spent < 20)); ++run) {
    const Figures f = Run(argv);
    spent += f.seconds;
    if (run == 0 || !f.ok || f.seconds < best.seconds) best = f;
  }
  return best;
}

// Every byte an export writes: for OBJ also its MTL and the textures it
// copies beside them, which dd's baseline must write too.
uint64_t OutputBytes(const fs::path& out) {
  std::error_code ec;
  uint64_t bytes = fs::file_size(out, ec);
  if (ec) return 0;
  if (out.extension() != ".obj") return bytes;
  const uint64_t mtl = fs::file_size(fs::path(out).replace_extension(".mtl"), ec);
  if (!ec) bytes += mtl;
  for (const fs::directory_entry& entry : fs::directory_iterator(out.parent_path() / "textures", ec))
    if (entry.is_regular_file(ec)) bytes += entry.file_size(ec);
  return bytes;
}

void Measure(benchmark::State& state, const std::string& document, const std::string& what) {
  const std::string path = MakeDocument(document);
  if (path.empty()) return state.SkipWithError("cannot write the document");
  const fs::path out = RunFolder() / ("out_" + what);
  std::vector<std::string> argv = {CLI_PATH, "export", path, out.string()};
  if (what == "info") argv = {CLI_PATH, "info", path};
  if (what == "thumbnail.png") argv = {CLI_PATH, "thumbnail", path, out.string()};
  if (what == "picture.jpeg") argv = {CLI_PATH, "export", path, out.string(), "--width", "256", "--height", "256"};
  const bool export_ = what != "info" && what != "thumbnail.png" && what != "picture.jpeg";
  Figures f;
  std::error_code ec;
  for (auto _ : state) {
    if (!export_) {
      f = Fastest(argv);
    } else {
      // The export and dd writing as many bytes with a flush, in turns, so
      // both meet the disk in the same minutes; the fastest of each.
      Figures dd;
      uint64_t bytes = 0;
      double spent = 0;
      for (int run = 0; run < 4 && (run == 0 || spent < 30); ++run) {
        fs::remove(out, ec);
        const Figures e = Run(argv);
        if (run == 0) bytes = OutputBytes(out);
        if (run == 0 || !e.ok || e.seconds < f.seconds) f = e;
        fs::remove(out, ec);
        if (!f.ok || bytes == 0) break;
        const Figures d = Run({"dd", "if=/dev/zero", "of=" + out.string(), "bs=4M", "count=" + std::to_string(bytes),
                               "iflag=count_bytes", "conv=fsync", "status=none"});
        if (run == 0 || d.seconds < dd.seconds) dd = d;
        spent += e.seconds + d.seconds;
      }
      f.bytes = bytes;
      if (dd.ok) Results()[document + "/dd " + what] = dd;
    }
    state.SetIterationTime(f.seconds);
  }
  if (!f.ok) return state.SkipWithError("objetos3d-cli failed");
  if (!export_) {
    f.bytes = fs::file_size(out, ec);
    if (ec) f.bytes = 0;
  }
  fs::remove(out, ec);
  fs::remove(RunFolder() / "out_x.mtl", ec);
  fs::remove_all(RunFolder() / "textures", ec);
  state.counters["peak_MB"] = f.peakMB;
  state.counters["out_MB"] = static_cast<double>(f.bytes) / (1 << 20);
  Results()[document + "/" + what] = f;
}

const char* const kDocuments[] = {"seeded100k", "mixed10k"};
const char* const kOutputs[] = {"info", "x.obj", "x.stl", "x.glb", "thumbnail.png", "picture.jpeg"};

void PrintTable() {
  auto& r = Results();
  std::printf("\n%-11s %-14s %9s %9s %9s %9s %12s\n", "document", "output", "seconds", "baseline", "ratio", "out MB",
              "MB over info");
  for (const char* document : kDocuments) {
    const std::string d = document;
    const double info = r.count(d + "/info") ? r[d + "/info"].peakMB : 0;
    for (const char* output : kOutputs) {
      const std::string key = d + "/" + output;
      if (!r.count(key) || std::string(output) == "info" || std::string(output) == "picture.jpeg") continue;
      const Figures& f = r[key];
      const std::string base = std::string(output) == "thumbnail.png" ? d + "/picture.jpeg" : d + "/dd " + output;
      const double baseline = r.count(base) ? r[base].seconds : 0;
      std::printf("%-11s %-14s %9.2f %9.2f %9.2f %9.1f %12.1f\n", document, output, f.seconds, baseline,
                  baseline > 0 ? f.seconds / baseline : 0, static_cast<double>(f.bytes) / (1 << 20), f.peakMB - info);
    }
  }
  std::printf(
      "(baseline: dd + fsync of as many bytes; for the thumbnail, a 256 x 256 picture drawn whole.\n"
      " goals: obj <= 1.15, stl and glb <= 1.5; exports under 64 MB over info, thumbnail under 300 MB)\n");
}
}  // namespace

int main(int argc, char** argv) {
  for (const char* document : kDocuments)
    for (const char* output : kOutputs) {
      const std::string d = document, o = output;
      benchmark::RegisterBenchmark((d + "/" + o).c_str(), [d, o](benchmark::State& s) { Measure(s, d, o); })
          ->Iterations(1)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  PrintTable();
  benchmark::Shutdown();
  return 0;
}
