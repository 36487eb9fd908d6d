// Costs of the calls scripts make most: stored-value lookups (linear scans by
// design), the global stream and number-to-text conversion.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scriptrt/ScriptExports.h"

namespace {
std::vector<char> MakeText(const std::string& value) {
  std::vector<char> bytes(kScriptDefaultTextBytes, 0);
  auto* text = reinterpret_cast<ScriptText*>(bytes.data());
  text->capacity = kScriptDefaultCapacity;
  text->length = static_cast<uint16_t>(value.size());
  value.copy(bytes.data() + kScriptTextHeader, value.size());
  return bytes;
}

ScriptText* AsText(std::vector<char>& bytes) { return reinterpret_cast<ScriptText*>(bytes.data()); }

// Restoring the last of n keys scans the whole table.
void BM_RestoreLastOfN(benchmark::State& state) {
  zemoscriptprocFREESTOREDVALUES();
  zemoscriptprocSETVIRTUALPAGE(-1);
  const int n = static_cast<int>(state.range(0));
  for (int i = 0; i < n; ++i) {
    auto key = MakeText("key" + std::to_string(i));
    zemoscriptprocSTOREVALUE(i, AsText(key));
  }
  auto last = MakeText("key" + std::to_string(n - 1));
  for (auto _ : state) benchmark::DoNotOptimize(zemoscriptRESTOREVALUE(AsText(last)));
  zemoscriptprocFREESTOREDVALUES();
}
BENCHMARK(BM_RestoreLastOfN)->Arg(100)->Arg(1000)->Arg(10000);

void BM_StoreNewKeys(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<std::vector<char>> keys;
  for (int i = 0; i < n; ++i) keys.push_back(MakeText("key" + std::to_string(i)));
  for (auto _ : state) {
    zemoscriptprocFREESTOREDVALUES();
    for (auto& key : keys) zemoscriptprocSTOREVALUE(1, AsText(key));
  }
  zemoscriptprocFREESTOREDVALUES();
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_StoreNewKeys)->Arg(1000);

void BM_GlobalStreamRoundTrip(benchmark::State& state) {
  double value = 1.5;
  for (auto _ : state) {
    zemoscriptprocINICIAGRAVAGLOBAL();
    for (int i = 0; i < 1000; ++i) zemoscriptprocGRAVAGLOBAL8(&value);
    for (int i = 0; i < 1000; ++i) zemoscriptprocLEGLOBAL8(&value);
  }
  state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_GlobalStreamRoundTrip);

void BM_NumberToText(benchmark::State& state) {
  auto out = MakeText("");
  double x = 0.1;
  for (auto _ : state) {
    zemoFtStr(AsText(out), x);
    x += 1.37;
  }
}
BENCHMARK(BM_NumberToText);
}  // namespace

// A walk over a folder of n entries: the time per entry stays flat as n
// grows (the small folder is the baseline of the big one).
void BM_FindWalkPerEntry(benchmark::State& state) {
  namespace fs = std::filesystem;
  const int n = static_cast<int>(state.range(0));
  const fs::path folder = fs::temp_directory_path() / ("zemo_find_bench_" + std::to_string(getpid()));
  fs::create_directories(folder);
  for (int i = 0; i < n; ++i) std::ofstream(folder / ("f" + std::to_string(i)));
  auto mask = MakeText((folder / "*").string());
  for (auto _ : state) {
    zemoscriptFINDFIRST(AsText(mask));
    while (zemoscriptFINDNEXT() == 0) {
    }
  }
  state.SetItemsProcessed(state.iterations() * n);
  fs::remove_all(folder);
}
BENCHMARK(BM_FindWalkPerEntry)->Arg(2000)->Arg(40000)->Unit(benchmark::kMillisecond);
