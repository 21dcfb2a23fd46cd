#!/usr/bin/env bash
# Starts the real program in a real X server (Xvfb, no window manager, white root window),
# checks from screenshots that the show window fills the screen with a black sky, then ends
# it with a real Esc key press and checks that it exits with status 0.
set -euo pipefail

program=${1:?usage: show_window_e2e.sh PATH_TO_STARQUILL}
width=1024
height=768
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Let the server choose a free display number.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 "${width}x${height}x24" -nolisten tcp -wr \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 -u "$display_fd" display_number || fail "Xvfb did not start"
export DISPLAY=":$display_number"

QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!

# The screen's colour range: "min max" of all channels, 0..255.
screen_range() {
  import -window root "$work/shot.png" 2>/dev/null || return 1
  /usr/bin/convert "$work/shot.png" -depth 8 -format '%[fx:int(255*minima)] %[fx:int(255*maxima)]' info:
}

# Poll until the whole screen is black: the window covers the white root and the sky is empty.
range=""
for _ in $(seq 1 100); do
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended early: $(cat "$work/app.log")"
  range=$(screen_range || true)
  [ "$range" = "0 0" ] && break
  sleep 0.1
done
[ "$range" = "0 0" ] || fail "the screen is not all black (channel range $range)"

window=$(xdotool search --name '^Starquill$' | head -n 1)
[ -n "$window" ] || fail "no window titled Starquill"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = "$width" ] && [ "$HEIGHT" = "$height" ] || fail "window is ${WIDTH}x${HEIGHT}"

# A real key press through the X server's input path.
xdotool windowfocus --sync "$window" key Escape
status=""
for _ in $(seq 1 50); do
  if ! kill -0 "$app_pid" 2>/dev/null; then
    wait "$app_pid" && status=0 || status=$?
    break
  fi
  sleep 0.1
done
app_pid=""
[ "$status" = "0" ] || fail "the program did not exit with status 0 after Esc (status '${status}')"
echo "PASS: a black ${width}x${height} sky filled the screen; Esc ended the program"
