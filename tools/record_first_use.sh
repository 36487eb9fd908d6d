#!/usr/bin/env bash
# Takes pictures of a new user's first minutes under Xvfb for docs/: an
# empty document, elements added with the palette and the mouse, then edited
# with the mouse, the keys, the property boxes and the wheel.
# usage: tools/record_first_use.sh [build folder] [output folder]
set -euo pipefail
BUILD="${1:-build}" OUT="${2:-docs}" DISPLAY_NUMBER=:88
source "$(dirname "$0")/editor_under_xvfb.sh"
start_editor "3Z Udivov"
# The palette's items in the tool strip (the window at the screen's corner).
palette_cube=(76 48) palette_cylinder=(121 48) palette_sphere=(166 48)

shot first-use-1-empty-document.png

click "${palette_cylinder[@]}"
move 880 600
move 900 610
shot first-use-2-cylinder-follows-the-pointer.png
click 900 610
click "${palette_sphere[@]}"
move 480 640
click 480 640
click "${palette_cube[@]}"
move 660 470
click 660 470
shot first-use-3-three-elements-added.png

# Drag the sphere along the floor with the mouse.
key Escape
xdotool mousemove --sync 480 620 mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove --sync $((480 + step * 15)) $((620 - step * 12)); sleep 0.1; done
xdotool mouseup 1
sleep 0.4
shot first-use-4-sphere-dragged.png

# The cube: taller with S, Y and the arrows, then a chamfer and a turn typed
# into the property boxes, each closed with Enter.
click 660 470
key s y Down Down Down Down
click 1020 32
key End shift+Home 2 0 Return
click 710 32
key End shift+Home 3 0 Return
key Right
shot first-use-5-cube-edited-with-keys-and-boxes.png

# The wheel zooms toward the element under the pointer.
move 900 600
for n in $(seq 16); do xdotool click 4; sleep 0.1; done
shot first-use-6-wheel-zoom-toward-the-cylinder.png

key ctrl+z
click 82 8
shot first-use-7-edit-menu-with-redo.png
key Escape
