#!/usr/bin/env bash
# How quickly the program starts and ends: the real program on a 4K screen in an Xvfb X server.
# - Esc in the middle of a heavy show (about 500 fireworks launched by keys and bursting): the
#   time from the key to the end of the process;
# - SIGTERM in the middle of a Grand Finale, as a screen saver or a session ends the program;
# - with --show, the time from the start to the first frame of the sky on screen (the screen is
#   polled, so this is within a screenshot's time, about 0.1 s at 4K).
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

# The root window is white: the sky's first frame turns the middle of the screen black.
sky_shown() { [ "$(import -window root -crop 1x1+1920+1080 -depth 8 txt:- | grep -c '#000000')" = 1 ]; }
for run in 1 2 3; do
  started=$(date +%s%N)
  start_program "$program" --show --programme grand-finale
  until sky_shown; do program_running || fail "the program ended early"; done
  echo "exit_bench run $run: --show start to first frame $((($(date +%s%N) - started) / 1000000)) ms"
  sleep 5
  signal_program TERM
  echo "exit_bench run $run: SIGTERM in a Grand Finale to exit $ended_ms ms (status $status)"
done
