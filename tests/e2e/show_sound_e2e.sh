#!/usr/bin/env bash
# The show heard, in a real X server with a private sound server (a null sink, recorded): with
# --sound a key gives a launch sound and later bangs well above the silence around them, and s
# silences the show; without --sound the program opens no audio connection and nothing is heard.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sound_lib.sh"
program=${1:?usage: show_sound_e2e.sh PATH_TO_STARQUILL}

# The loudest 50 ms of a recording: the root mean square of its louder channel, 0 to 32767.
loudest_moment() {
  od -An -v -t d2 -w4 "$1" |
    awk '{ l += $1 * $1; r += $2 * $2 }
         NR % 2400 == 0 { m = l > r ? l : r; if (m > top) top = m; l = r = 0 }
         END { printf "%d\n", sqrt(top / 2400) }'
}
# Records the sink for $2 seconds into $1.
record_for() {
  record_sink "$1"
  sleep "$2"
  stop_recording
}
# The program's connections to the sound server.
audio_clients() { pactl list clients 2>/dev/null | grep -c "application.process.id = \"$app_pid\"" || true; }

start_xvfb
start_sound_server

start_program "$program" --show --sound --seed 3
poll 100 starquill_window_count_is 1 || fail "the show did not open"
window=$(starquill_windows | head -n 1)
xdotool windowfocus --sync "$window"
record_sink "$work/launch.raw"
xdotool key 1
sleep 0.6
stop_recording
whoosh=$(loudest_moment "$work/launch.raw")
record_for "$work/bangs.raw" 4
bang=$(loudest_moment "$work/bangs.raw")
[ "$(audio_clients)" = 1 ] || fail "not one audio connection with --sound"
[ "$whoosh" -gt 100 ] || fail "no launch sound after the key (loudest $whoosh)"
[ "$bang" -gt 1000 ] && [ "$bang" -gt "$whoosh" ] || fail "no bang (loudest $bang, launch $whoosh)"
xdotool key s
sleep 0.2
record_for "$work/muted.raw" 1.5
muted=$(loudest_moment "$work/muted.raw")
[ "$muted" = 0 ] || fail "s did not silence the show (loudest $muted)"
signal_program TERM
[ "$status" = 143 ] || fail "the show with sound did not end by SIGTERM (status $status)"
grep -q 'sound' "$work/app.log" && fail "the program said: $(cat "$work/app.log")"
echo "PASS: --sound: launch $whoosh, bangs up to $bang, muted $muted (RMS of the loudest 50 ms)"

start_program "$program" --show --seed 3
poll 100 starquill_window_count_is 1 || fail "the show did not open"
xdotool windowfocus --sync "$(starquill_windows | head -n 1)" key 1
record_for "$work/silent.raw" 3
silent=$(loudest_moment "$work/silent.raw")
[ "$(audio_clients)" = 0 ] || fail "an audio connection without --sound"
[ "$silent" = 0 ] || fail "sound without --sound (loudest $silent)"
signal_program TERM
echo "PASS: without --sound no audio connection and silence"
