#!/usr/bin/env bash
# A signal to end, at any moment of the start, ends the program: SIGTERM from 0 to 99 ms after
# the program starts (while its window is still coming on screen, or before the handler exists)
# on the splash, with --show and with --root, 100 tries each. Every run ends within 200 ms of
# its signal and dies of it, as a screen saver daemon expects of its programs.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: signal_timing_e2e.sh PATH_TO_STARQUILL}
tries=${TRIES:-100}

start_xvfb
slowest=0
for mode in splash --show --root; do
  args=()
  [ "$mode" = splash ] || args=("$mode")
  for try in $(seq 0 $((tries - 1))); do
    delay_ms=$((try * 100 / tries))
    start_program "$program" "${args[@]}"
    sleep "$(printf '0.%03d' "$delay_ms")"
    kill -TERM "$app_pid"
    signalled=$(date +%s%N)
    # A run that missed its signal is killed at 2 s, and fails below.
    for _ in $(seq 1 200); do program_running || break; sleep 0.01; done
    ended_ms=$((($(date +%s%N) - signalled) / 1000000))
    program_running && kill -KILL "$app_pid"
    status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" = 143 ] ||
      fail "$mode, SIGTERM $delay_ms ms after the start: status $status after $ended_ms ms"
    [ "$ended_ms" -lt 200 ] || fail "$mode, SIGTERM $delay_ms ms after the start: $ended_ms ms to end"
    [ "$ended_ms" -gt "$slowest" ] && slowest=$ended_ms
  done
done
echo "PASS: $((tries * 3)) runs signalled 0-99 ms after their start all died of SIGTERM," \
  "the slowest $slowest ms after it"
