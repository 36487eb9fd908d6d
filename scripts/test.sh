#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. GUI and GL tests
# need an X server: one is started with Xvfb when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
# The sources follow .clang-format; a file that does not fails here, named.
./scripts/check-format.sh
./scripts/build.sh
if [[ -n "${DISPLAY:-}" ]]; then
  ctest --test-dir build --output-on-failure -j 2
else
  xvfb-run -a -s "-screen 0 1600x1000x24" ctest --test-dir build --output-on-failure -j 2
fi
