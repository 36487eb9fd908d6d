# Sourced by the picture scripts: starts Xvfb on DISPLAY_NUMBER and the
# editor from BUILD with the given arguments, its window at the screen's
# corner with the focus, in a home folder of its own; everything goes when
# the script ends. Then: shot NAME, click X Y, move X Y, key KEYS...
# Needs imagemagick and xdotool (apt-get install imagemagick xdotool).
start_editor() {
  local title=$1
  shift
  Xvfb "$DISPLAY_NUMBER" -screen 0 1500x900x24 >/dev/null 2>&1 &
  xvfb=$!
  home=$(mktemp -d)
  editor=""
  trap 'kill $editor $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
  sleep 1
  export DISPLAY=$DISPLAY_NUMBER HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home
  "$BUILD/bin/objetos3d" "$@" >/dev/null 2>&1 &
  editor=$!
  sleep 3
  win=$(xdotool search --sync --name "$title" | head -n 1)
  xdotool windowsize --sync "$win" 1500 900
  xdotool windowmove --sync "$win" 0 0
  xdotool windowfocus --sync "$win"
  sleep 1
}

shot() { sleep 0.8; import -window root "$OUT/$1"; echo "$OUT/$1"; }
# Clicks keep a user's pace: presses closer than 250 ms are a double press.
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.4; }
move() { xdotool mousemove --sync "$1" "$2"; sleep 0.2; }
key() { xdotool key --delay 120 --clearmodifiers "$@"; sleep 0.3; }
