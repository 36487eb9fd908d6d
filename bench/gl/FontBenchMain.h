#pragma once
// main() of the drawing benchmarks that paint label pictures: fonts need a
// GUI application; the offscreen platform needs no display.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

inline int RunBenchmarksWithFonts(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
