#!/usr/bin/env bash
# Builds the Debian package: build/objetos3d_<version>_<arch>.deb, with its
# library dependencies found by dpkg-shlibdeps. Install it with
#   sudo apt install ./build/objetos3d_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
(cd build && cpack -G DEB)
ls -1 build/objetos3d_*.deb
