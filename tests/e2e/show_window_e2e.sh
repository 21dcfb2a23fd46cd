#!/usr/bin/env bash
# The show window in a real X server: it fills the screen with a black sky, and a real Esc key
# press ends the program with status 0.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: show_window_e2e.sh PATH_TO_STARQUILL}

start_xvfb
start_program "$program"
open_show

# The whole screen black: the window covers the white root window and no firework is live.
all_black() { shoot && [ "$(brightest_in "${screen_width}x${screen_height}+0+0")" = 0 ]; }
poll 100 all_black || fail "the screen is not all black"

window=$(starquill_windows | head -n 1)
[ -n "$window" ] || fail "no window titled Starquill"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = "$screen_width" ] && [ "$HEIGHT" = "$screen_height" ] || fail "window is ${WIDTH}x${HEIGHT}"

xdotool windowfocus --sync "$window" key Escape
expect_clean_exit
echo "PASS: a black ${screen_width}x${screen_height} sky filled the screen; Esc ended the program"
