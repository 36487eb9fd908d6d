#!/usr/bin/env bash
# Takes pictures of an editing session under Xvfb for docs/: the editor on
# the sample document, then a few edits driven with xdotool.
# usage: tools/record_session.sh [build folder] [output folder]
set -euo pipefail
BUILD="${1:-build}" OUT="${2:-docs}" DISPLAY_NUMBER=:87
source "$(dirname "$0")/editor_under_xvfb.sh"
start_editor "Objetos 3D" "$BUILD/bin/Vist3D/sample.zobj3d"

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
