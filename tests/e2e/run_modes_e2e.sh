#!/usr/bin/env bash
# The ways to start a show, in a real X server: every plain run is a show of its own, a seed
# repeats one exactly (a programme's too), and --show opens the show at once, here with the Grand Finale running.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: run_modes_e2e.sh PATH_TO_STARQUILL}
screen_width=640
screen_height=480

# Opens the show straight away with the options given after the output file $1, presses the
# keys in $keys (none when empty) and writes the fingerprints of the screens seen until
# $seconds after the show opened to $1, one a line; a frame showing nothing is left out.
keys="" seconds=1
frames_of_a_run() {
  local out=$1
  shift
  start_program "$program" --show "$@"
  poll 100 starquill_window_count_is 1 || fail "the show did not open ($*)"
  local until=$(($(date +%s%N) + seconds * 1000000000))
  local empty
  xdotool windowfocus --sync "$(starquill_windows | head -n 1)"
  empty=$(import -window root -depth 8 rgb:- | md5sum)
  [ -z "$keys" ] || xdotool key $keys
  : >"$out"
  while [ "$(date +%s%N)" -lt "$until" ]; do
    import -window root -depth 8 rgb:- | md5sum >>"$out"
  done
  grep -v -x -F "$empty" "$out" | sort -u >"$out.lit"
  mv "$out.lit" "$out"
  [ -s "$out" ] || fail "no firework was seen ($*)"
  signal_program TERM
}
frames_in_common() { comm -12 "$1" "$2" | wc -l; }

start_xvfb
# After "2" (a trail rocket), before the automatic launcher's first rockets a second after the
# show opened, two plain runs never look alike.
keys=2 seconds=1
frames_of_a_run "$work/plain1"
frames_of_a_run "$work/plain2"
[ "$(frames_in_common "$work/plain1" "$work/plain2")" = 0 ] ||
  fail "two plain runs showed the same picture after the same key"
# Two runs with one seed show the same automatic launches, tick for tick: some of the screens
# taken in each are the same picture. (A key pressed at a moment a script cannot set to the
# tick would shift one run's rockets against the other's.)
keys="" seconds=3
frames_of_a_run "$work/seeded1" --seed 7
frames_of_a_run "$work/seeded2" --seed=7
common=$(frames_in_common "$work/seeded1" "$work/seeded2")
[ "$common" -ge 1 ] || fail "two runs with --seed 7 showed no picture alike"
# A programme reseeds the generator at each of its events, and a seed repeats those too.
frames_of_a_run "$work/programme1" --seed 7 --programme grand-finale
frames_of_a_run "$work/programme2" --seed 7 --programme grand-finale
programme_common=$(frames_in_common "$work/programme1" "$work/programme2")
[ "$programme_common" -ge 1 ] || fail "two Grand Finales with --seed 7 showed no picture alike"
echo "PASS: plain runs differ; --seed 7 runs showed $common identical pictures, and" \
  "$programme_common with the Grand Finale"

# Straight into the show, without the splash, with the Grand Finale keeping the sky busy.
start_program "$program" --show --programme grand-finale
poll 100 starquill_window_count_is 1 || fail "the show did not open"
find_splash && fail "--show opened the splash"
sleep 6
shoot
lit=$(lit_pixels_in "${screen_width}x${screen_height}+0+0")
[ "$lit" -gt 500 ] || fail "the sky is dark after 6 s of the Grand Finale ($lit lit pixels)"
signal_program TERM
[ "$status" = 143 ] || fail "SIGTERM did not end the show by the signal (status $status)"
echo "PASS: --show --programme grand-finale: $lit lit pixels after 6 s, SIGTERM ended it in $ended_ms ms"
