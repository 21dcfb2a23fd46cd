#!/usr/bin/env bash
# On a high-density screen (a scale factor of 2) the program looks as on an ordinary one at
# twice the device pixels: the splash window, its band, title and button, and the show's
# count text are twice their size, and the splash has no stray column at its edge.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: scale_e2e.sh PATH_TO_STARQUILL}

screen_width=1600
screen_height=1200
start_xvfb

# The count text's box after one key press, in device pixels: sets box.
measure_count_text() {
  start_program "$program"
  open_show
  xdotool windowfocus --sync "$(starquill_windows | head -n 1)" key 1
  box=""
  text_shown() { shoot && box=$(count_text_box_in "400x60+0+0") && [ -n "$box" ]; }
  poll 50 text_shown || fail "no count text at scale $scale"
  xdotool key Escape
  expect_clean_exit
}

measure_count_text
box_1=$box
scale=2
start_program "$program"
poll 100 find_splash || fail "no splash window of $((597 * scale))x$((276 * scale)) device pixels"

grown() { shoot && [ "$(red_title_pixels)" -ge 1200 ]; }
poll 50 grown || fail "the title did not grow to twice its size ($(red_title_pixels) red pixels)"
# Each band column is two device pixels wide, up to the window's right edge.
[ "$(client_pixel 0 10)" = "144,2,255" ] && [ "$(client_pixel 1 10)" = "144,2,255" ] ||
  fail "band column 0 is $(client_pixel 0 10) $(client_pixel 1 10)"
[ "$(client_pixel 400 10)" = "0,254,25" ] || fail "band column 200 is $(client_pixel 400 10)"
last=$(client_pixel 1185 10)
[ "$last" = "$(client_pixel 1184 10)" ] && [ "$last" != "0,0,0" ] || fail "the last column is $last"
[ "$(client_pixel 688 480)" = "80,153,233" ] || fail "the button's body is $(client_pixel 688 480)"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

measure_count_text
box_2=$box
size() { echo "${1%%+*}"; }
w1=${box_1%%x*} h1=$(size "${box_1#*x}") w2=${box_2%%x*} h2=$(size "${box_2#*x}")
[ $((w2 - 2 * w1)) -ge -3 ] && [ $((w2 - 2 * w1)) -le 3 ] && [ $((h2 - 2 * h1)) -ge -2 ] &&
  [ $((h2 - 2 * h1)) -le 2 ] || fail "count text ${box_2} at scale 2, ${box_1} at scale 1"
echo "PASS: splash, band, title and button at twice their size; count text ${box_1} -> ${box_2}"
