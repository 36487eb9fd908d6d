// The batch tool on documents built to be costly, beside plain documents of
// the same element count, in the same run: 10,000 labels each with a text of
// its own, and 100,000 elements each naming a texture of its own, against
// the same cubes unnamed and untextured. For each document, `thumbnail` and
// every export (.obj, .glb, .stl, .jpeg), each a whole objetos3d-cli process:
// its wall time, its processor time and its peak memory (the process's
// largest resident set), with the output's size. A table of ratios (costly /
// plain) follows, then the glTF and STL exports against the OBJ export of
// the same document, including 100,000 mixed elements (bevelled cubes,
// cylinders, spheres).
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
#include "bench/gl/MixedScene.h"
#include "document/DocumentFile.h"

#ifndef CLI_PATH
#error CLI_PATH names the built objetos3d-cli
#endif

namespace {
namespace fs = std::filesystem;

// Documents and outputs of this run, removed at its end.
const fs::path& RunFolder() { return BenchFolder("obj3d_bench_hostile_"); }

enum class Kind { Labels, Textures, Plain, Mixed };

// n cubes of the mixed scene's sizes, places and turns; labels and texture
// names differ from element to element.
std::string MakeDocument(const std::string& name, int n, Kind kind) {
  const std::string path = (RunFolder() / (name + ".zobj3d")).string();
  if (fs::exists(path)) return path;
  TIMem32 store("bench");
  FillMixedScene(store, n);
  for (int i = 0; i < n && kind != Kind::Mixed; ++i) {
    Element3D& e = store.As<Element3D>(i);
    e.kind = kCube;
    e.name.assign(kind == Kind::Labels ? "@Sala " + std::to_string(i) : "cubo" + std::to_string(i));
    e.texture.assign(kind == Kind::Textures ? "textura" + std::to_string(i) + ".jpeg" : "");
  }
  if (!WriteDocument(path, store).ok()) return {};
  return path;
}

struct Figures {
  // Wall time, and the processor time of the process itself, which tells
  // what a command costs on a machine shared with other work.
  double seconds = 0, cpuSeconds = 0, peakMB = 0, outputMB = 0;
  bool ok = false;
};
// By document, then by output.
std::map<std::string, std::map<std::string, Figures>>& Results() {
  static std::map<std::string, std::map<std::string, Figures>> results;
  return results;
}

// One objetos3d-cli process: its wall time and its own peak resident set.
Figures RunCli(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  std::string tool = CLI_PATH;
  argv.push_back(tool.data());
  std::vector<std::string> copies = arguments;
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  Figures f;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    if (!std::freopen("/dev/null", "w", stderr)) _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return f;
  f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto secondsOf = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  f.cpuSeconds = secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
  f.peakMB = usage.ru_maxrss / 1024.0;
  f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return f;
}

void Command(benchmark::State& state, const std::string& document, const std::string& output) {
  const Kind kind = document.rfind("labels", 0) == 0     ? Kind::Labels
                    : document.rfind("textures", 0) == 0 ? Kind::Textures
                    : document.rfind("mixed", 0) == 0    ? Kind::Mixed
                                                         : Kind::Plain;
  const int n = document.find("100k") != std::string::npos ? 100000 : 10000;
  const std::string path = MakeDocument(document, n, kind);
  if (path.empty()) {
    state.SkipWithError("cannot write the document");
    return;
  }
  const fs::path out = RunFolder() / (document + "_" + output);
  const std::vector<std::string> arguments = output == "thumbnail.png"
                                                 ? std::vector<std::string>{"thumbnail", path, out.string()}
                                                 : std::vector<std::string>{"export", path, out.string()};
  // The fastest of up to three runs, while they take under ten seconds in
  // all: other work on a shared machine only ever adds time.
  Figures f;
  for (auto _ : state) {
    double spent = 0;
    for (int run = 0; run < 3 && (run == 0 || (f.ok && spent < 10)); ++run) {
      const Figures next = RunCli(arguments);
      spent += next.seconds;
      if (run == 0 || !next.ok || next.seconds < f.seconds) f = next;
    }
    state.SetIterationTime(f.seconds);
  }
  if (!f.ok) {
    state.SkipWithError("objetos3d-cli failed");
    return;
  }
  std::error_code ec;
  f.outputMB = static_cast<double>(fs::file_size(out, ec)) / (1 << 20);
  // The exports run to gigabytes; only the figures are kept.
  fs::remove(out, ec);
  if (output == "x.obj") fs::remove(RunFolder() / (document + "_x.mtl"), ec);
  fs::remove_all(RunFolder() / "textures", ec);
  state.counters["cpu_s"] = f.cpuSeconds;
  state.counters["peak_MB"] = f.peakMB;
  state.counters["out_MB"] = f.outputMB;
  Results()[document][output] = f;
}

// A copy of the document ("x.zobj3d") is the process that reads the
// document and exports nothing: the baseline of the exports' memory.
const char* const kOutputs[] = {"thumbnail.png", "x.obj", "x.glb", "x.stl", "x.jpeg", "x.zobj3d"};
// Each costly document and the plain one it is measured against.
const std::pair<const char*, const char*> kPairs[] = {{"labels10k", "plain10k"}, {"textures100k", "plain100k"}};

void PrintRatios() {
  auto& r = Results();
  const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0; };
  std::printf("\n%-13s %-14s %8s %8s %8s %8s %8s %8s\n", "document", "output", "seconds", "cpu s", "peak MB", "x time",
              "x cpu", "x memory");
  for (const auto& [costly, plain] : kPairs)
    for (const char* output : kOutputs) {
      if (!r[costly].count(output) || !r[plain].count(output)) continue;
      const Figures& c = r[costly][output];
      const Figures& p = r[plain][output];
      std::printf("%-13s %-14s %8.2f %8.2f %8.1f %8.2f %8.2f %8.2f\n", costly, output, c.seconds, c.cpuSeconds,
                  c.peakMB, ratio(c.seconds, p.seconds), ratio(c.cpuSeconds, p.cpuSeconds), ratio(c.peakMB, p.peakMB));
      std::printf("%-13s %-14s %8.2f %8.2f %8.1f\n", plain, output, p.seconds, p.cpuSeconds, p.peakMB);
    }
  std::printf("(x: against the plain document of the same count, target 1 to 2)\n");
  // The streamed mesh exports against the OBJ export of the same document,
  // and their memory above the process that only reads the document.
  std::printf("\n%-13s %10s %10s %10s %10s %14s %14s\n", "document", "glb/obj", "glb/obj", "stl/obj", "stl/obj",
              "glb MB above", "stl MB above");
  std::printf("%-13s %10s %10s %10s %10s %14s %14s\n", "", "time", "cpu", "time", "cpu", "doc + output", "doc");
  for (auto& [document, outputs] : r) {
    if (!outputs.count("x.obj") || !outputs.count("x.glb") || !outputs.count("x.stl") || !outputs.count("x.zobj3d"))
      continue;
    const Figures &obj = outputs["x.obj"], &glb = outputs["x.glb"], &stl = outputs["x.stl"], &doc = outputs["x.zobj3d"];
    std::printf("%-13s %10.2f %10.2f %10.2f %10.2f %14.1f %14.1f\n", document.c_str(), ratio(glb.seconds, obj.seconds),
                ratio(glb.cpuSeconds, obj.cpuSeconds), ratio(stl.seconds, obj.seconds),
                ratio(stl.cpuSeconds, obj.cpuSeconds), glb.peakMB - doc.peakMB - glb.outputMB, stl.peakMB - doc.peakMB);
  }
  std::printf("(targets: time within 1.5; glb below 64 MB plus its size, stl below 64 MB)\n");
}
}  // namespace

int main(int argc, char** argv) {
  for (const auto& [costly, plain] : kPairs)
    for (const char* document : {costly, plain})
      for (const char* output : kOutputs) {
        const std::string d = document, o = output;
        benchmark::RegisterBenchmark((d + "/" + o).c_str(), [d, o](benchmark::State& s) { Command(s, d, o); })
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
      }
  for (const char* output : {"x.obj", "x.glb", "x.stl", "x.zobj3d"})
    benchmark::RegisterBenchmark((std::string("mixed100k/") + output).c_str(),
                                 [o = std::string(output)](benchmark::State& s) { Command(s, "mixed100k", o); })
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  PrintRatios();
  benchmark::Shutdown();
  return 0;
}
