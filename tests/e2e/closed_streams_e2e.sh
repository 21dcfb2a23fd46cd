#!/usr/bin/env bash
# Started with a standard stream closed, as some launchers and daemons start programs, the show
# runs as ever: with --show, --show --sound --verbose (which writes to stderr) and --root, each
# with standard input, output and error closed in turn, it draws fireworks and SIGTERM ends it.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: closed_streams_e2e.sh PATH_TO_STARQUILL}
screen_width=320
screen_height=240

# Fireworks on the screen: the black sky covers the white root window, and something is lit.
lit() {
  local all="${screen_width}x${screen_height}+0+0" n
  shoot && n=$(lit_pixels_in "$all") && [ "$n" -gt 0 ] && [ "$n" -lt $((screen_width * screen_height / 2)) ]
}

start_xvfb
for options in "--show" "--show --sound --verbose" "--root"; do
  for fd in 0 1 2; do
    # shellcheck disable=SC2086
    case $fd in
      0) QT_QPA_PLATFORM=xcb "$program" $options --programme grand-finale <&- >"$work/app.log" 2>&1 & ;;
      1) QT_QPA_PLATFORM=xcb "$program" $options --programme grand-finale >&- 2>"$work/app.log" & ;;
      2) QT_QPA_PLATFORM=xcb "$program" $options --programme grand-finale >"$work/app.log" 2>&- & ;;
    esac
    app_pid=$!
    poll 100 lit || fail "$options with descriptor $fd closed: no fireworks"
    signal_program TERM
    [ "$status" = 143 ] && [ "$ended_ms" -lt 1000 ] ||
      fail "$options with descriptor $fd closed: SIGTERM gave status $status after $ended_ms ms"
  done
done
echo "PASS: with stdin, stdout or stderr closed, --show, --show --sound --verbose and --root drew" \
  "and ended on SIGTERM"
