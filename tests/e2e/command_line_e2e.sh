#!/usr/bin/env bash
# The program's command-line manners, without any display: help and version on stdout with
# status 0, a mistake in one line plus a hint with status 2, a missing display in one clear
# line with status 1 (never an abort), and the toolkit's own options let through.
set -euo pipefail
program=${1:?usage: command_line_e2e.sh PATH_TO_STARQUILL}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the program without a display; sets status, and leaves its output in $work.
run() {
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$work/out" 2>"$work/err" || status=$?
}
lines() { wc -l <"$1"; }

for option in --help -h; do
  run "$program" "$option"
  [ "$status" = 0 ] && grep -q '^Usage: starquill' "$work/out" && [ ! -s "$work/err" ] ||
    fail "$option: status $status, $(head -c 300 "$work/out" "$work/err")"
done
grep -q 'Grand Finale' "$work/out" || fail "the usage does not name the menu"

run "$program" --version
[ "$status" = 0 ] && grep -Eqx 'starquill [0-9]+\.[0-9]+\.[0-9]+' "$work/out" ||
  fail "--version: status $status, '$(cat "$work/out")'"

run "$program" --frobnicate
[ "$status" = 2 ] && [ "$(lines "$work/err")" = 2 ] && [ ! -s "$work/out" ] &&
  grep -q "^starquill: unrecognised option '--frobnicate'" "$work/err" ||
  fail "a bad option: status $status, $(cat "$work/err")"

run "$program"
[ "$status" = 1 ] && [ "$(lines "$work/err")" = 1 ] &&
  grep -q '^starquill: cannot open a display: ' "$work/err" ||
  fail "no display: status $status, $(cat "$work/err")"

run env DISPLAY=:4242 "$program"
[ "$status" = 1 ] && [ "$(lines "$work/err")" = 1 ] &&
  grep -q '^starquill: cannot open a display: .*:4242' "$work/err" ||
  fail "an unreachable display: status $status, $(cat "$work/err")"

# The toolkit's own option picks a platform that needs no display: the program runs until
# it is stopped.
run timeout 2 "$program" -platform offscreen
[ "$status" = 124 ] || fail "-platform offscreen: status $status, $(cat "$work/err")"

echo "PASS: help, version, a bad option, no display and -platform all behaved"
