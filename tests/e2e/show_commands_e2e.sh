#!/usr/bin/env bash
# The show's commands with real input in a real X server: the keys 1 to 7 launch fireworks and
# the count appears; the pop-up menu starts Grand Finale by its access key and fireworks keep
# coming; the how-to box opens and closes; Esc then still reaches the show and ends it.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: show_commands_e2e.sh PATH_TO_STARQUILL}

start_xvfb
start_program "$program"
open_show
window=$(starquill_windows | head -n 1)
centre_x=$((screen_width / 2))
centre_y=$((screen_height / 2))

xdotool windowfocus --sync "$window"
xdotool key 1 2 3 4 5 6 7
keys_pressed=$(date +%s%3N)

# Grand Finale from the pop-up menu, picked by its access key.
xdotool mousemove "$centre_x" "$centre_y" click 3
sleep 0.3
xdotool key g

# The ten fireworks of the keys hold the automatic launcher back; bright new launches near the
# launch point from 2.5 s on can only come from the programme (the keys' own trails there
# have faded by then).
launch_area="400x140+$((centre_x - 200))+$((screen_height - 150))"
since_keys_ms() { echo $(($(date +%s%3N) - keys_pressed)); }
while [ "$(since_keys_ms)" -lt 2500 ]; do sleep 0.05; done
bright_samples=0
while [ "$(since_keys_ms)" -lt 4500 ]; do
  shoot
  [ "$(brightest_in "$launch_area")" -ge 128 ] && bright_samples=$((bright_samples + 1))
done
[ "$bright_samples" -ge 2 ] || fail "no programme launches seen ($bright_samples bright samples)"

# Coloured fireworks in the sky, and the count text in its colour at the top left.
sky_and_count() {
  shoot &&
    [ "$(lit_pixels_in "${screen_width}x$((screen_height - 40))+0+40")" -ge 200 ] &&
    [ "$(count_text_pixels_in "200x20+0+0")" -ge 10 ]
}
poll 50 sky_and_count || fail "no fireworks or no count text"

# The how-to box: a second window titled Starquill, closed with Return.
xdotool mousemove "$centre_x" "$centre_y" click 3
sleep 0.3
xdotool key h
poll 50 starquill_window_count_is 2 || fail "the how-to box did not open"
xdotool key Return
poll 50 starquill_window_count_is 1 || fail "the how-to box did not close"

# Esc goes to the show without clicking it first.
sleep 0.2
xdotool key Escape
expect_clean_exit
echo "PASS: keys, Grand Finale, the how-to box and Esc all worked"
