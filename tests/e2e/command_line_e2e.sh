#!/usr/bin/env bash
# The program's command-line manners, without any display: help and version on stdout with
# status 0 (a write error: one line and status 1), a mistake in one printable line plus a hint
# with status 2, a missing display in one clear line with status 1 (never an abort), and the
# toolkit's own options let through in either form.
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

# A write error is an error: one line on stderr and status 1.
for option in --help --version; do
  status=0
  "$program" "$option" >/dev/full 2>"$work/err" || status=$?
  [ "$status" = 1 ] && [ "$(lines "$work/err")" = 1 ] &&
    grep -q '^starquill: cannot write to standard output: ' "$work/err" ||
    fail "$option into a full disk: status $status, $(cat "$work/err")"
  status=0
  "$program" "$option" >&- 2>"$work/err" || status=$?
  [ "$status" = 1 ] && [ "$(lines "$work/err")" = 1 ] ||
    fail "$option with stdout closed: status $status, $(cat "$work/err")"
done

# What the user typed comes back printable and short.
run "$program" $'--\e]0;owned\a\n'"$(head -c 5000 /dev/zero | tr '\0' x)"
[ "$status" = 2 ] && [ "$(lines "$work/err")" = 2 ] && ! grep -q $'\e' "$work/err" &&
  [ "$(head -n 1 "$work/err" | wc -c)" -lt 300 ] ||
  fail "a hostile option: status $status, $(head -c 400 "$work/err" | od -c | head -5)"

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

# A platform name from the environment comes back printable too, in Qt's own reason.
run env QT_QPA_PLATFORM=$'\e[2J' "$program"
[ "$status" = 1 ] && [ "$(lines "$work/err")" = 1 ] && ! grep -q $'\e' "$work/err" &&
  grep -q '^starquill: cannot open a display: .*\\x1b' "$work/err" ||
  fail "a hostile platform name: status $status, $(od -c "$work/err" | head -5)"

# A session without a runtime folder is Qt's business: said only with --verbose.
run env -u XDG_RUNTIME_DIR timeout 2 "$program" -platform offscreen
[ "$status" = 124 ] && [ ! -s "$work/err" ] || fail "without XDG_RUNTIME_DIR: $(cat "$work/err")"
run env -u XDG_RUNTIME_DIR timeout 2 "$program" -platform offscreen --verbose
grep -q 'XDG_RUNTIME_DIR' "$work/err" || fail "--verbose kept Qt's warning back: $(cat "$work/err")"

# No sound server: the show runs silent, and --verbose says that no sound was played.
run env PULSE_SERVER=unix:/nonexistent/socket timeout 2 "$program" -platform offscreen --show \
  --sound --verbose
grep -q '^starquill: sound: no sound was played$' "$work/err" ||
  fail "--sound --verbose without a server: $(cat "$work/err")"

# The toolkit's own option picks a platform that needs no display: the program runs until
# it is stopped.
for platform in "-platform offscreen" "-platform=offscreen" "--platform=offscreen"; do
  # shellcheck disable=SC2086
  run timeout 2 "$program" $platform
  [ "$status" = 124 ] || fail "$platform: status $status, $(cat "$work/err")"
done

echo "PASS: help, version, write errors, bad options, no display and -platform all behaved"
