#!/usr/bin/env bash
# Builds the Debian package: build/objetos3d_<version>_<arch>.deb, with its
# library dependencies found by dpkg-shlibdeps. Install it with
#   sudo apt install ./build/objetos3d_*.deb
# OBJ3D_MAINTAINER="Name <address>" names the package's maintainer; the
# default is the project's role address (packaging/CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
if [[ -n "${OBJ3D_MAINTAINER:-}" && ! "$OBJ3D_MAINTAINER" =~ ^[^\<\>]+\ \<[^@\<\>\ ]+@[^@\<\>\ ]+\.[^@\<\>\ ]+\>$ ]]; then
  echo "package.sh: OBJ3D_MAINTAINER must read 'Name <user@host>'" >&2
  exit 2
fi
(cd build && OBJ3D_MAINTAINER="${OBJ3D_MAINTAINER:-}" cpack -G DEB)
deb=$(ls -1 build/objetos3d_*.deb)
echo "$deb"
if command -v lintian >/dev/null; then lintian "$deb" || true; fi
