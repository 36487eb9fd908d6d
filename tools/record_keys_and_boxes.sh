#!/usr/bin/env bash
# Takes pictures of the position and size boxes and of the key list, in
# Portuguese and in English, under Xvfb for docs/.
# usage: tools/record_keys_and_boxes.sh [build folder] [output folder]
set -euo pipefail
BUILD="${1:-build}" OUT="${2:-docs}" DISPLAY_NUMBER=:88
source "$(dirname "$0")/editor_under_xvfb.sh"

# The tool strip with the boxes, then the key list window on its own.
strip() { sleep 0.8; import -window root -crop 1180x150+0+0 +repage "$OUT/$1"; echo "$OUT/$1"; }
window_shot() {
  sleep 0.8
  import -window "$(xdotool search --sync --name "$1" | head -n 1)" "$OUT/$2"
  echo "$OUT/$2"
}

# One run per language: a typed decimal in the X box, then the key list.
record() {
  local language=$1 title=$2
  start_editor "Objetos 3D" --language "$language" "$BUILD/bin/Vist3D/sample.zobj3d"
  click 600 500                  # an empty spot: focus on the view
  key ctrl+a n 2 comma 5 && strip "exact-values-$language.png"
  key Escape
  key F1 && window_shot "$title" "keys-and-mouse-$language.png"
  kill "$editor" "$xvfb" 2>/dev/null || true
  wait "$editor" "$xvfb" 2>/dev/null || true
  rm -rf "$home"
}
record pt "Teclas e mouse"
record en "Keys and mouse"
