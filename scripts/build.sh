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
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${subsystems[@]}" >/dev/null
cmake --build build -j "$(nproc)"
