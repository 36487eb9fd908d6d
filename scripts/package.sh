#!/usr/bin/env bash
# Builds the Debian packages: build/objetos3d_<version>_<arch>.deb (the
# programs), libzemoscript1_... (the script library) and libzemoscript-dev_...
# (its development files), with their library dependencies found by
# dpkg-shlibdeps, and checks them with lintian. Install the editor with
#   sudo apt install ./build/objetos3d_*.deb ./build/libzemoscript1_*.deb
# OBJ3D_MAINTAINER="Name <address>" names the package's maintainer; the
# default is the project's role address (packaging/CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
if [[ -n "${OBJ3D_MAINTAINER:-}" && ! "$OBJ3D_MAINTAINER" =~ ^[^\<\>]+\ \<[^@\<\>\ ]+@[^@\<\>\ ]+\.[^@\<\>\ ]+\>$ ]]; then
  echo "package.sh: OBJ3D_MAINTAINER must read 'Name <user@host>'" >&2
  exit 2
fi
rm -f build/*.deb
(cd build && OBJ3D_MAINTAINER="${OBJ3D_MAINTAINER:-}" cpack -G DEB)
ls -1 build/*.deb
# What a packager would sign: no error, no warning, no hardening tag.
if command -v lintian >/dev/null; then
  report=$(lintian -I build/*.deb 2>&1) || true
  [[ -n "$report" ]] && echo "$report"
  if grep -Eq '^[EW]: |hardening-' <<<"$report"; then
    echo "package.sh: lintian found errors, warnings or unhardened binaries" >&2
    exit 1
  fi
fi
