#!/usr/bin/env bash
# The audio output against a real sound server (a private one, with a null sink): a bang on
# the left is louder on the left, one on the right louder on the right, each heard within
# 60 ms of being posted by the audio clock; when the server dies and comes back, the player
# goes on, says so in one line, and sound resumes.
set -euo pipefail
player=${1:?usage: sound_output_e2e.sh PATH_TO_SOUND_PLAY}
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/sound_lib.sh"

start_sound_server

# Plays a bang every second at pan $1 while recording; checks the channels and the delays.
check_side() {
  local pan=$1 side=$2 left right loud quiet
  record_sink "$work/$side.raw"
  "$player" "$pan" 3.2 1000 >"$work/$side.out" 2>"$work/$side.err" ||
    fail "the player failed: $(cat "$work/$side.err")"
  stop_recording
  read -r left right < <(loudness "$work/$side.raw")
  if [ "$side" = left ]; then loud=$left quiet=$right; else loud=$right quiet=$left; fi
  echo "$side bangs: loudness left $left right $right; $(tr '\n' ';' <"$work/$side.out")"
  [ "$loud" -gt 300 ] || fail "bangs on the $side are not heard (loudness $loud)"
  [ "$loud" -gt $((4 * quiet)) ] || fail "bangs on the $side are not louder there ($left, $right)"
  [ "$(grep -c '^bang heard after' "$work/$side.out")" -ge 3 ] || fail "bangs not all heard"
  awk '/^bang heard after/ && $4 >= 60 { bad = 1 } END { exit bad }' "$work/$side.out" ||
    fail "a bang came later than 60 ms: $(cat "$work/$side.out")"
  [ ! -s "$work/$side.err" ] || fail "the player complained: $(cat "$work/$side.err")"
}
check_side 0.1 left
check_side 0.9 right
# Gaps depend on how busy the machine is: told, not failed on.
echo "underruns so far: $(sound_underruns Fireworks)"

# The server dies in the middle of the show and comes back a second later.
"$player" 0.5 6 500 >"$work/restart.out" 2>"$work/restart.err" &
player_pid=$!
sleep 1.5
stop_sound_server
sleep 1
kill -0 "$player_pid" 2>/dev/null || fail "the player ended with the server"
start_sound_server
record_sink "$work/restart.raw"
sleep 2.5
stop_recording
wait "$player_pid" || fail "the player failed after the restart: $(cat "$work/restart.err")"
read -r left right < <(loudness "$work/restart.raw")
echo "after the restart: loudness left $left right $right; $(tail -n 1 "$work/restart.out")"
[ "$left" -gt 300 ] || fail "no sound after the server came back"
[ "$(wc -l <"$work/restart.err")" = 1 ] && grep -q '^starquill: sound lost: ' "$work/restart.err" ||
  fail "the loss was not told in one line: $(cat "$work/restart.err")"
grep -q 'connections 2 ' "$work/restart.out" || fail "no second connection: $(tail -n 1 "$work/restart.out")"
echo "PASS"
