#!/usr/bin/env bash
# The vivid look in a real X server: --vivid presents more than 50 frames a second where the
# plain show presents its 20, its sky is far brighter than the plain one at the same seed and
# moment, and the key v switches between the two. Frames are counted as they reach the X server
# (X DAMAGE, through the frame counter).
source "$(dirname "$0")/lib.sh"
usage="usage: vivid_e2e.sh PATH_TO_STARQUILL PATH_TO_FRAME_COUNTER"
program=${1:?$usage}
frame_counter=${2:?$usage}

# Frames a second that reach the X server over two seconds, as a whole number.
frame_rate() { "$frame_counter" 2 | awk '{ printf "%d\n", $1 }'; }
# The mean brightness of the last screenshot, 0 to 1000.
mean_brightness() {
  /usr/bin/convert "$work/shot.png" -colorspace Gray -format '%[fx:int(1000*mean)]' info:
}

# The same show in either look, a screenshot five seconds after it opened: sets brightness.
shot_of_a_run() {
  start_program "$program" --show --programme grand-finale --seed 7 "$@"
  poll 100 starquill_window_count_is 1 || fail "the show did not open ($*)"
  sleep 5
  shoot
  brightness=$(mean_brightness)
  signal_program TERM
}

start_xvfb
shot_of_a_run
plain=$brightness
shot_of_a_run --vivid
vivid=$brightness
[ "$vivid" -ge $((2 * plain + 5)) ] ||
  fail "the vivid sky is not far brighter than the plain one ($vivid against $plain of 1000)"

start_program "$program" --show --programme grand-finale --seed 7 --vivid
poll 100 starquill_window_count_is 1 || fail "the vivid show did not open"
sleep 1
smooth=$(frame_rate)
[ "$smooth" -gt 50 ] || fail "--vivid presented $smooth frames a second"
xdotool windowfocus --sync "$(starquill_windows | head -n 1)" key v
plain_rate=$(frame_rate)
[ "$plain_rate" -le 25 ] || fail "after v the show still presented $plain_rate frames a second"
xdotool key v
again=$(frame_rate)
[ "$again" -gt 50 ] || fail "the second v left $again frames a second"
signal_program TERM
echo "PASS: --vivid presents $smooth frames a second (v: $plain_rate, again $again); mean" \
  "brightness $vivid against the plain show's $plain (of 1000)"
