#!/usr/bin/env bash
# The show under a real window manager: the window takes the full-screen state, with no title
# bar and nothing of the desktop showing, and Esc still ends the program.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: full_screen_e2e.sh PATH_TO_STARQUILL}

screen_width=1280
screen_height=800
start_xvfb
start_window_manager
start_program "$program"
open_show
window=$(starquill_windows | head -n 1)

full_screen() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
poll 50 full_screen || fail "no full-screen state: $(xprop -id "$window" _NET_WM_STATE)"
covers_screen() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$X$Y" = 00 ] && [ "$WIDTH" = "$screen_width" ] && [ "$HEIGHT" = "$screen_height" ]
}
poll 50 covers_screen || fail "the window does not cover the screen: $(xdotool getwindowgeometry "$window")"
all_black() { shoot && [ "$(brightest_in "${screen_width}x${screen_height}+0+0")" = 0 ]; }
poll 50 all_black || fail "the screen is not all black"

xdotool windowfocus --sync "$window" key Escape
expect_clean_exit
echo "PASS: full screen under a window manager, covering ${screen_width}x${screen_height}; Esc ended it"
