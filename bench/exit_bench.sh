#!/usr/bin/env bash
# How long Esc takes to end the program in the middle of a heavy show: the real program on a
# 4K screen in an Xvfb X server, about 500 fireworks launched by keys and bursting, then Esc;
# the time from the key to the end of the process, over a few runs.
source "$(dirname "$0")/../tests/e2e/lib.sh"
program=${1:?usage: exit_bench.sh PATH_TO_STARQUILL}

screen_width=3840
screen_height=2160
start_xvfb
for run in 1 2 3; do
  start_program "$program"
  open_show
  xdotool windowfocus --sync "$(starquill_windows | head -n 1)"
  for _ in $(seq 1 72); do xdotool key --delay 0 1 4 5 6; done  # 7 fireworks a round
  sleep 3.5                                                       # most have burst by now
  started=$(date +%s%N)
  xdotool key Escape
  while program_running; do sleep 0.001; done
  echo "exit_bench run $run: Esc to exit $((($(date +%s%N) - started) / 1000000)) ms"
  app_pid=""
done
