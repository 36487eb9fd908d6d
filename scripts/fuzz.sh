#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while, starting
# from the seeds of fuzz/make_seeds.sh. Inputs that crash are kept under
# build-fuzz/crashes/<target>/; each one belongs in a regression test.
# usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
./scripts/install-deps.sh clang libclang-rt-14-dev
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOBJ3D_BUILD_FUZZ=ON \
  -DOBJ3D_BUILD_TESTS=OFF -DOBJ3D_BUILD_BENCH=OFF -DOBJ3D_SUBSYSTEMS="image;gl;export;output" "${launcher[@]}" >/dev/null
mapfile -t targets < <(cut -d' ' -f1 build-fuzz/fuzz_targets.txt)
cmake --build build-fuzz --target copy_data "${targets[@]}"

fuzz/make_seeds.sh build-fuzz/seeds
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
while read -r t max_len; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/crashes/$t" build-fuzz/logs
  rc=0
  "build-fuzz/bin/$t" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="build-fuzz/crashes/$t/" "build-fuzz/corpus/$t" "build-fuzz/seeds/$t" \
    >"build-fuzz/logs/$t.log" 2>&1 || rc=$?
  echo "$t: $(grep -E '^#[0-9]+' "build-fuzz/logs/$t.log" | tail -n 1)"
  if [[ $rc -ne 0 ]]; then
    status=1
    grep -E 'ERROR|SUMMARY|Test unit written' "build-fuzz/logs/$t.log" | head -n 5
  fi
done < build-fuzz/fuzz_targets.txt
exit "$status"
