#!/usr/bin/env bash
# Configures and builds everything into build/ (shared by run.sh and test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
"./scripts/install-deps.sh"
# OBJ3D_SUBSYSTEMS in the environment narrows the build to some subsystems.
subsystems=(-U OBJ3D_SUBSYSTEMS)
[[ -n "${OBJ3D_SUBSYSTEMS:-}" ]] && subsystems=(-DOBJ3D_SUBSYSTEMS="$OBJ3D_SUBSYSTEMS")
if [[ -f build/CMakeCache.txt ]] && ! grep -q 'CMAKE_GENERATOR:INTERNAL=Ninja' build/CMakeCache.txt; then
  rm -rf build
fi
# ccache shares compiled objects between work trees and rebuilds.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
build_dir="${OBJ3D_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${subsystems[@]}" ${OBJ3D_CMAKE_ARGS:-} >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
