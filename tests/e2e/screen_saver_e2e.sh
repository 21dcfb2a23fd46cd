#!/usr/bin/env bash
# The show as a screen saver runs it, in a real X server: in a window of another program, named
# by --window-id or by XSCREENSAVER_WINDOW with --root, small preview windows included. It draws
# inside that window only, follows its size, and ends cleanly and promptly on SIGTERM; a window
# that does not exist or goes away ends it with one line and status 1.
source "$(dirname "$0")/lib.sh"
usage="usage: screen_saver_e2e.sh PATH_TO_STARQUILL PATH_TO_HOST_WINDOW"
program=${1:?$usage}
host_program=${2:?$usage}
host_pid=""
trap '[ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null; cleanup' EXIT

# Opens a white window of another program, WIDTH x HEIGHT at the top-left corner: sets host.
open_host() {
  "$host_program" "$1" "$2" >"$work/host.out" 2>"$work/host.log" &
  host_pid=$!
  for _ in $(seq 1 100); do
    host=$(grep -m1 '^0x' "$work/host.out" || true)
    [ -n "$host" ] && return 0
    sleep 0.05
  done
  fail "the host window did not open: $(cat "$work/host.log")"
}
close_host() {
  kill "$host_pid"
  wait "$host_pid" 2>/dev/null || true
  host_pid=""
}

# Fireworks in the region WxH+X+Y: the sky is black there and something is lit.
fireworks_in() { shoot && [ "$(darkest_in "$1")" = 0 ] && [ "$(lit_pixels_in "$1")" -gt 0 ]; }
# The region is untouched: still the white of the root window or of the host.
white_in() { shoot && [ "$(darkest_in "$1")" = 255 ]; }
# The program's one line on stderr, and its status 1.
expect_one_line_and_status_1() {
  [ "$status" = 1 ] && [ "$(wc -l <"$work/app.log")" = 1 ] && grep -q '^starquill: ' "$work/app.log" ||
    fail "$1: status $status, $(cat "$work/app.log")"
}

start_xvfb

# In a window given by id: drawn inside it only; it follows the window's size.
open_host 640 480
start_program "$program" --window-id "$host"
poll 100 fireworks_in 640x480+0+0 || fail "no fireworks in window $host"
white_in 384x768+640+0 && white_in 640x288+0+480 || fail "the show drew outside its window"
xdotool windowsize "$host" 800 600
grown() { shoot && [ "$(brightest_in 160x600+640+0)" -lt 255 ]; }
poll 50 grown || fail "the sky did not follow its window to 800x600"
signal_program TERM
[ "$status" = 143 ] || fail "SIGTERM: status $status, $(cat "$work/app.log")"
[ "$ended_ms" -lt 1000 ] || fail "SIGTERM took $ended_ms ms to end the show"
[ ! -s "$work/app.log" ] || fail "the screen saver said: $(cat "$work/app.log")"
echo "PASS: --window-id $host: fireworks in 640x480, followed to 800x600, SIGTERM ended it in $ended_ms ms"
close_host

# A preview of 200x150, named the way the screen saver names it.
open_host 200 150
XSCREENSAVER_WINDOW=$host start_program "$program" --root
poll 100 fireworks_in 200x150+0+0 || fail "no fireworks in the 200x150 preview"
white_in 824x768+200+0 || fail "the preview's show drew outside its window"
signal_program TERM
[ "$status" = 143 ] || fail "SIGTERM in the preview: status $status"
echo "PASS: XSCREENSAVER_WINDOW=$host --root: fireworks in 200x150, SIGTERM ended it in $ended_ms ms"

# --root alone: the whole screen.
start_program "$program" --root
poll 100 fireworks_in 1024x768+0+0 || fail "--root drew no fireworks on the screen"
white_in 1024x768+0+0 && fail "--root left the screen white"
signal_program TERM
[ "$status" = 143 ] || fail "SIGTERM with --root: status $status"
echo "PASS: --root alone covered the screen"

# The window goes while the show runs.
start_program "$program" --window-id "$host"
poll 100 fireworks_in 200x150+0+0 || fail "no fireworks before the window went"
close_host
for _ in $(seq 1 50); do program_running || break; sleep 0.1; done
program_running && fail "the show kept running after its window went"
status=0
wait "$app_pid" || status=$?
app_pid=""
expect_one_line_and_status_1 "a window that went"

# No such window.
status=0
QT_QPA_PLATFORM=xcb timeout 10 "$program" --window-id 0x3a00007 >"$work/app.log" 2>&1 || status=$?
expect_one_line_and_status_1 "a window id of no window"
# A window that takes input only: nothing could be seen in it.
"$host_program" --input-only 640 480 >"$work/host.out" 2>"$work/host.log" &
host_pid=$!
for _ in $(seq 1 50); do grep -q '^0x' "$work/host.out" && break; sleep 0.1; done
grep -q '^0x' "$work/host.out" || fail "no input-only window: $(cat "$work/host.log")"
status=0
QT_QPA_PLATFORM=xcb timeout 10 "$program" --window-id "$(head -n 1 "$work/host.out")" \
  >"$work/app.log" 2>&1 || status=$?
expect_one_line_and_status_1 "an input-only window"
echo "PASS: a window that goes, one that never was and an input-only one end the program with" \
  "one line and status 1"
