#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there; the first finding fails its test.
# Optimised at -O1 and without the benchmarks so the run stays affordable on
# a small machine; every test area is kept.
# usage: scripts/sanitize.sh [--build-only] [extra ctest arguments, e.g. -R Dictionary]
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=0
[[ "${1:-}" == --build-only ]] && { build_only=1; shift; }
./scripts/install-deps.sh clang libclang-rt-14-dev
root="$(pwd)"
build_dir="${OBJ3D_ASAN_BUILD_DIR:-build-asan}"

# The run-time libraries are linked as shared objects, so the script
# run-time (a shared library linked with --no-undefined) links against them
# too; the executables find them through their run path.
runtime_dir="$(clang++ -print-runtime-dir)"
sanitize="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all"
link="$sanitize -shared-libsan -Wl,-rpath,$runtime_dir"
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$sanitize -fno-omit-frame-pointer" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG" \
  -DCMAKE_EXE_LINKER_FLAGS="$link" -DCMAKE_SHARED_LINKER_FLAGS="$link" \
  -DOBJ3D_BUILD_BENCH=OFF -DOBJ3D_BUILD_FUZZ=OFF -U OBJ3D_SUBSYSTEMS \
  "${launcher[@]}" ${OBJ3D_CMAKE_ARGS:-} >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
[[ $build_only -eq 1 ]] && exit 0

# Mesa's driver is unloaded when the last GL context goes, after which the
# blocks it keeps until exit look leaked with no module to name; loaded up
# front it stays, and the suppressions can name it.
mesa_driver=""
for d in /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so /usr/lib/*/dri/swrast_dri.so /usr/lib/dri/swrast_dri.so; do
  [[ -f "$d" ]] && { mesa_driver="$d"; break; }
done
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1:verify_asan_link_order=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
run_tests=(env ${mesa_driver:+LD_PRELOAD="$mesa_driver"} ctest --test-dir "$build_dir" --output-on-failure -j 2 "$@")
if [[ -n "${DISPLAY:-}" ]]; then
  "${run_tests[@]}"
else
  xvfb-run -a -s "-screen 0 1600x1000x24" "${run_tests[@]}"
fi
