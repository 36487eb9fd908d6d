#!/usr/bin/env bash
# Takes pictures of the position and size boxes and of the key list, in
# Portuguese and in English, under Xvfb for docs/.
# usage: tools/record_keys_and_boxes.sh [build folder] [output folder]
set -euo pipefail
BUILD="${1:-build}" OUT="${2:-docs}" DISPLAY_NUMBER=:88
source "$(dirname "$0")/editor_under_xvfb.sh"

# One run per language: a typed decimal in the X box, then the key list.
record() {
  local language=$1
  start_editor "Objetos 3D" --language "$language" "$BUILD/bin/Vist3D/sample.zobj3d"
  click 600 500                  # an empty spot: focus on the view
  key ctrl+a n 2 comma 5 && shot "exact-values-$language.png"
  key Escape
  key F1 && shot "keys-and-mouse-$language.png"
  kill "$editor" "$xvfb" 2>/dev/null || true
  wait "$editor" "$xvfb" 2>/dev/null || true
  rm -rf "$home"
}
record pt
record en
