#!/usr/bin/env bash
# Start can always be reached, in a real X server: on a screen smaller than the splash (320x200)
# and at a scale factor that makes the splash larger than the screen (7.5 on 1920x1080), the
# splash moves so that its whole Start button is on screen, and a click on it opens the show;
# on an ordinary screen Return on the splash opens the show.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: start_reach_e2e.sh PATH_TO_STARQUILL}

# The splash window (the program's one visible window without a title) and the screen position
# of a point on its start button, in device pixels: sets button_x and button_y.
find_start_button() {
  local window X Y WIDTH HEIGHT SCREEN
  window=$(xdotool search --onlyvisible --class starquill 2>/dev/null | head -n 1)
  [ -n "$window" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # A point of the button right of its caption, 348, 244 pixels from the window's corner.
  button_x=$(awk -v x="$X" -v s="$scale" 'BEGIN { printf "%d", x + 348 * s }')
  button_y=$(awk -v y="$Y" -v s="$scale" 'BEGIN { printf "%d", y + 244 * s }')
}

# The start button's blue (RGB 80,153,233 and the lighter shades of its gel) under a point.
blue_at() { shoot && [[ $(pixel_at "$1" "$2") =~ ^([0-9]+),([0-9]+),([0-9]+)$ ]] &&
  ((BASH_REMATCH[3] > 200 && BASH_REMATCH[1] < BASH_REMATCH[3])); }

click_start_on_a_small_screen() {
  start_xvfb
  start_program "$program"
  poll 100 find_start_button || fail "no splash (${screen_width}x$screen_height at $scale)"
  ((button_x >= 0 && button_x < screen_width && button_y >= 0 && button_y < screen_height)) ||
    fail "Start is off a ${screen_width}x$screen_height screen at $scale: $button_x,$button_y"
  poll 50 blue_at "$button_x" "$button_y" || fail "no start button at $button_x,$button_y"
  xdotool mousemove "$button_x" "$button_y" click 1
  poll 100 starquill_window_count_is 1 || fail "the click on Start did not open the show"
  signal_program TERM
  echo "PASS: ${screen_width}x$screen_height at $scale: Start at $button_x,$button_y opened the show"
  kill "$xvfb_pid"
  wait "$xvfb_pid" 2>/dev/null || true
}

screen_width=320 screen_height=200 scale=1
click_start_on_a_small_screen
screen_width=1920 screen_height=1080 scale=7.5
click_start_on_a_small_screen

screen_width=1024 screen_height=768 scale=1
start_xvfb
start_program "$program"
poll 100 find_splash || fail "no splash"
xdotool windowfocus --sync "$splash" key Return
poll 100 starquill_window_count_is 1 || fail "Return on the splash did not open the show"
signal_program TERM
echo "PASS: Return on the splash opened the show"
