#!/usr/bin/env bash
# What sound costs a Grand Finale and how it plays: the real program in an Xvfb X server with a
# private sound server (a null sink), the same seed with and without --sound, SECONDS each
# (60 unless given). Prints the program's processor time as a share of one core, and with sound
# its latency by the audio clock and the server's underruns as the program counted them.
source "$(dirname "$0")/../tests/e2e/lib.sh"
sound_log_level=notice  # a server busy logging its every buffer would run dry now and then
source "$(dirname "$0")/../tests/e2e/sound_lib.sh"
program=${1:?usage: sound_show_bench.sh PATH_TO_STARQUILL [SECONDS]}
seconds=${2:-60}

start_xvfb
start_sound_server
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$app_pid/stat"; }
for mode in silent sound; do
  options=(--show --programme grand-finale --seed 11 --verbose)
  [ "$mode" = sound ] && options+=(--sound)
  start_program "$program" "${options[@]}"
  poll 100 starquill_window_count_is 1 || fail "the show did not open"
  sleep 3
  before=$(cpu_ticks) started=$(date +%s%N)
  sleep "$seconds"
  after=$(cpu_ticks) ended=$(date +%s%N)
  signal_program TERM
  share=$(awk -v c=$((after - before)) -v k="$(getconf CLK_TCK)" \
    -v t=$(((ended - started) / 1000000)) 'BEGIN { printf "%.2f", 100 * c / k / (t / 1000) }')
  echo "sound_show_bench $mode: ${share}% of one core over ${seconds} s"
  [ "$mode" = sound ] && sed -n 's/^starquill: sound: /sound_show_bench sound: /p' "$work/app.log"
done
