#!/usr/bin/env bash
# The ways to start a show, in a real X server: every plain run is a show of its own, a seed
# repeats one exactly, and --show opens the show at once, here with the Grand Finale running.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: run_modes_e2e.sh PATH_TO_STARQUILL}
screen_width=640
screen_height=480

# Opens the show straight away with the given options, presses "2" (a trail rocket) and writes
# the fingerprints of the screens seen in the next 0.7 s, before the automatic launcher's first
# rockets join it, to the file $1, one a line; a frame showing nothing is left out.
frames_after_a_key() {
  local out=$1
  shift
  start_program "$program" --show "$@"
  poll 100 starquill_window_count_is 1 || fail "the show did not open ($*)"
  local window empty
  window=$(starquill_windows | head -n 1)
  xdotool windowfocus --sync "$window"
  empty=$(import -window root -depth 8 rgb:- | md5sum)
  xdotool key 2
  : >"$out"
  local until=$(($(date +%s%N) + 700000000))
  while [ "$(date +%s%N)" -lt "$until" ]; do
    import -window root -depth 8 rgb:- | md5sum >>"$out"
  done
  grep -v -x -F "$empty" "$out" | sort -u >"$out.lit"
  mv "$out.lit" "$out"
  [ -s "$out" ] || fail "no firework was seen after the key ($*)"
  signal_program TERM
}
frames_in_common() { comm -12 "$1" "$2" | wc -l; }

start_xvfb
frames_after_a_key "$work/plain1"
frames_after_a_key "$work/plain2"
[ "$(frames_in_common "$work/plain1" "$work/plain2")" = 0 ] ||
  fail "two plain runs showed the same picture after the same key"
frames_after_a_key "$work/seeded1" --seed 7
frames_after_a_key "$work/seeded2" --seed=7
common=$(frames_in_common "$work/seeded1" "$work/seeded2")
[ "$common" -ge 1 ] || fail "two runs with --seed 7 showed no picture alike"
echo "PASS: plain runs differ; --seed 7 runs showed $common identical pictures"

# Straight into the show, without the splash, with the Grand Finale keeping the sky busy.
start_program "$program" --show --programme grand-finale
poll 100 starquill_window_count_is 1 || fail "the show did not open"
find_splash && fail "--show opened the splash"
sleep 6
shoot
lit=$(lit_pixels_in "${screen_width}x${screen_height}+0+0")
[ "$lit" -gt 500 ] || fail "the sky is dark after 6 s of the Grand Finale ($lit lit pixels)"
signal_program TERM
[ "$status" = 0 ] || fail "SIGTERM ended the show with status $status"
echo "PASS: --show --programme grand-finale: $lit lit pixels after 6 s, SIGTERM ended it in $ended_ms ms"
