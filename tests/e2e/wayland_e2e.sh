#!/usr/bin/env bash
# The program native on Wayland, in a real compositor (weston, headless, drawing with pixman, its
# screenshots allowed): in a Wayland session with no X server it starts on the Wayland platform,
# (there is no X server to fall back on) draws its splash, opens the show full screen over the desktop's panel with --show, and ends
# on SIGTERM, killed by it as Unix programs are after cleaning up. The headless compositor has no input devices, so nothing is clicked.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: wayland_e2e.sh PATH_TO_STARQUILL}
weston_pid=""
trap '[ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null; cleanup' EXIT

unset DISPLAY QT_QPA_PLATFORM
export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=starquill-test
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
  --socket="$WAYLAND_DISPLAY" --debug --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 1 100); do
  [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
  kill -0 "$weston_pid" 2>/dev/null || fail "weston ended at start: $(cat "$work/weston.log")"
  sleep 0.05
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not start"

# The compositor's picture of its output, as $work/shot.png.
shoot() {
  rm -f "$work"/wayland-screenshot-*.png
  (cd "$work" && weston-screenshooter >/dev/null 2>&1) || return 1
  mv "$work"/wayland-screenshot-*.png "$work/shot.png" 2>/dev/null
}
# Pixels of the splash's green band (2, 255, 25) in the whole picture.
splash_green() {
  /usr/bin/convert "$work/shot.png" -alpha off -fuzz 10% -fill white -opaque 'rgb(2,255,25)' \
    -fill black +opaque white -format '%[fx:int(mean*w*h+0.5)]' info:
}
splash_drawn() { shoot && [ "$(splash_green)" -gt 10000 ]; }
# Full screen: the panel's corner and the desktop around are covered by the black sky.
show_full_screen() {
  shoot && [ "$(darkest)" = 0 ] && [ "$(pixel_at 1010 10)" = 0,0,0 ] &&
    [ "$(pixel_at 1010 760)" = 0,0,0 ] && [ "$(pixel_at 5 380)" = 0,0,0 ]
}

start_program() { "$@" >"$work/app.log" 2>&1 & app_pid=$!; }

start_program "$program"
poll 100 splash_drawn || fail "no splash on the Wayland compositor"
signal_program TERM
[ "$status" = 143 ] || fail "SIGTERM on the splash: status $status"
echo "PASS: the splash drew on Wayland ($(splash_green) pixels of its band); SIGTERM ended it"

start_program "$program" --show --programme grand-finale
poll 100 show_full_screen || fail "the show is not full screen on Wayland"
sleep 2
shoot
lit=$(lit_pixels_in 1024x768+0+0)
[ "$lit" -gt 100 ] || fail "no fireworks on Wayland ($lit lit pixels)"
signal_program TERM
[ "$status" = 143 ] && [ "$ended_ms" -lt 1000 ] || fail "SIGTERM in the show: status $status after $ended_ms ms"
echo "PASS: --show full screen on Wayland with $lit lit pixels; SIGTERM ended it in $ended_ms ms"
