#!/usr/bin/env bash
# The sky follows its window: after the running show's window shrinks, a key launches from the
# middle of the new bottom edge, and nothing shows outside the window.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: resize_e2e.sh PATH_TO_STARQUILL}

start_xvfb
start_program "$program"
open_show
window=$(starquill_windows | head -n 1)

width=600
height=400
xdotool windowmove --sync "$window" 0 0 windowsize --sync "$window" "$width" "$height"
# The white root window shows beside and below the window.
outside_white() {
  shoot && [ "$(darkest_in "$((screen_width - width))x${screen_height}+${width}+0")" = 255 ] &&
    [ "$(darkest_in "${width}x$((screen_height - height))+0+${height}")" = 255 ]
}
poll 50 outside_white || fail "the window did not shrink"

xdotool windowfocus --sync "$window" key 2
launch_area="100x60+$((width / 2 - 50))+$((height - 60))"
launched() { shoot && [ "$(brightest_in "$launch_area")" -ge 128 ]; }
poll 30 launched || fail "no launch near the new bottom middle"
outside_white || fail "something was drawn outside the window"

xdotool key Escape
expect_clean_exit
echo "PASS: after a resize to ${width}x${height} the rocket rose from the new bottom middle"
