#!/usr/bin/env bash
# Qt's scale variables with values that make no sense (zero, negative, tiny, huge, not finite,
# not a number) never leave a process without a window: each is dropped with exactly one line
# on stderr, and the splash opens at its ordinary size.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: scale_variables_e2e.sh PATH_TO_STARQUILL}

start_xvfb

# Runs the program with NAME=VALUE, checks the splash and the one line, and ends it.
check() {
  local name=$1 value=$2
  local expected="starquill: ignoring $name=$value: a scale must be a number from 0.1 to 10"
  timeout 10 env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS QT_QPA_PLATFORM=xcb \
    "$name=$value" "$program" >"$work/app.log" 2>&1 &
  app_pid=$!
  poll 50 find_splash || fail "no splash window with $name=$value"
  [ "$(cat "$work/app.log")" = "$expected" ] || fail "$name=$value: not the one line '$expected'"
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}

for value in 0 nan inf 1e9 -1 0.001 two; do
  check QT_SCALE_FACTOR "$value"
done
for value in 0 '1;nan' 'HDMI-1=1e9' '2;-1'; do
  check QT_SCREEN_SCALE_FACTORS "$value"
done
echo "PASS: every senseless scale was dropped with one line, and the splash opened"
