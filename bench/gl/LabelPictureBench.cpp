// Painting a label's picture: an ordinary name, an ordinary scale ruler and
// the densest ruler any name can ask for (tick counts at their bound).
#include <benchmark/benchmark.h>

#include <string>

#include "FontBenchMain.h"
#include "gl/LabelBitmap.h"

namespace {
void Paint(benchmark::State& state, const std::string& name) {
  for (auto _ : state) benchmark::DoNotOptimize(DrawLabelBitmap(name, 0x204060, "", 2, 1));
}

void BM_LabelText(benchmark::State& state) { Paint(state, "@Entrada"); }
BENCHMARK(BM_LabelText)->Unit(benchmark::kMillisecond);

void BM_ScaleRuler(benchmark::State& state) { Paint(state, "@escala|v|100|0|10|10|"); }
BENCHMARK(BM_ScaleRuler)->Unit(benchmark::kMillisecond);

void BM_DensestScaleRuler(benchmark::State& state) { Paint(state, "@escala|v|100|0|99999999|2147483647|"); }
BENCHMARK(BM_DensestScaleRuler)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) { return RunBenchmarksWithFonts(argc, argv); }
