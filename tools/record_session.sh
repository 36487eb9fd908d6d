#!/usr/bin/env bash
# Takes pictures of an editing session under Xvfb for docs/: the editor on
# the sample document, then a few edits driven with xdotool.
# Needs imagemagick and xdotool (apt-get install imagemagick xdotool).
# usage: tools/record_session.sh [build folder] [output folder]
set -euo pipefail
build="${1:-build}"
out="${2:-docs}"
display=:87
Xvfb "$display" -screen 0 1500x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $editor $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
"$build/bin/objetos3d" "$build/bin/Vist3D/sample.zobj3d" >/dev/null 2>&1 &
editor=$!
sleep 3
win=$(xdotool search --sync --name "Objetos 3D" | head -n 1)
xdotool windowsize --sync "$win" 1500 900
xdotool windowmove --sync "$win" 0 0
xdotool windowfocus --sync "$win"
sleep 1

shot() { sleep 0.8; import -window root "$out/$1"; echo "$out/$1"; }
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.4; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }

shot editor-window.png
click 600 500                  # an empty spot: focus on the view
key 3 && shot session-1-front-view.png
key Home
key F5
key g Down Down Down Down Down Down Down Down Down Down Down Down && shot session-2-cube-added-and-moved.png
key s x Right Right Right && shot session-3-cube-widened.png
key r y Right Right Right Right Right Right && shot session-4-cube-turned.png
key Escape
xdotool mousemove --sync 300 560
key F11 F9 F9 && shot session-5-blocks-stacked.png
key F10
