#!/usr/bin/env bash
# On a high-density screen (a scale factor of 2) the program looks as on an ordinary one at
# twice the device pixels: the splash window, its band, title and button are twice their size,
# and the splash has no stray column at its edge. The show's count text has the size of all
# other text on the screen at every scale factor, fractional ones too (1.5 times its ordinary
# size at 1.5, although the sky's points are then squares of 2 device pixels).
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
  local corner
  corner="$(scaled 200)x$(scaled 30)+0+0"
  text_shown() { shoot && box=$(count_text_box_in "$corner") && [ -n "$box" ]; }
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

# The count text at each scale is the scale-1 text times the scale: within 3 device pixels
# in width and 2 in height.
size() { echo "${1%%+*}"; }
# Whether A is B times the scale, give or take D.
near() {
  awk -v a="$1" -v b="$2" -v s="$scale" -v d="$3" 'BEGIN { e = a - b * s; exit !(e >= -d && e <= d) }'
}
w1=${box_1%%x*} h1=$(size "${box_1#*x}")
boxes="1: $box_1"
for scale in 1.5 2 3; do
  measure_count_text
  boxes="$boxes, $scale: $box"
  w=${box%%x*} h=$(size "${box#*x}")
  near "$w" "$w1" 3 && near "$h" "$h1" 2 || fail "count text $box at scale $scale, $box_1 at scale 1"
done
echo "PASS: splash, band, title and button at twice their size; count text $boxes"
