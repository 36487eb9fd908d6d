#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the given
# document (or on the bundled sample). Without a display it runs the batch
# tool on the document instead.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
bin="$PWD/build/bin"
doc="${1:-$bin/Vist3D/sample.zobj3d}"
[[ "$doc" = /* ]] || doc="$PWD/$doc"

if [[ -n "${DISPLAY:-}" && -x "$bin/objetos3d" ]]; then
  exec "$bin/objetos3d" "$doc"
fi

if "$bin/objetos3d-cli" --help | grep -q '^  export'; then
  out="$PWD/build/out"
  mkdir -p "$out"
  name=$(basename "${doc%.*}")
  "$bin/objetos3d-cli" export "$doc" "$out/$name.obj"
  "$bin/objetos3d-cli" export "$doc" "$out/$name.jpeg"
  echo "No display: exported $doc to $out/$name.obj (with $name.mtl and textures/) and $out/$name.jpeg"
else
  echo "No display: the elements of $doc:"
  "$bin/objetos3d-cli" info "$doc"
fi
