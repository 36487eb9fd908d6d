#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while.
# usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DOBJ3D_BUILD_FUZZ=ON -DOBJ3D_BUILD_TESTS=OFF \
  -DOBJ3D_BUILD_BENCH=OFF -DOBJ3D_SUBSYSTEMS= >/dev/null
cmake --build build-fuzz --target fuzz_document_reader fuzz_text_to_number fuzz_dictionary
for t in fuzz_document_reader fuzz_text_to_number fuzz_dictionary; do
  mkdir -p "build-fuzz/corpus/$t"
  "build-fuzz/bin/$t" -max_total_time="$seconds" -max_len=4096 "build-fuzz/corpus/$t" 2>&1 | tail -n 2
done
