#!/usr/bin/env bash
# The screen saver hold in a real X server, each case on a private session bus of its own. With
# a fake screen saver service that logs its calls, the program asks for no hold while the splash
# shows, for exactly one, as "Starquill", when the show opens, and gives that hold back before
# it ends on Esc or on SIGTERM. Without the service, or without any session bus, the show still
# opens and ends cleanly on Esc, with at most one line about the hold on stderr.
set -euo pipefail
usage="usage: screen_awake_e2e.sh PATH_TO_STARQUILL PATH_TO_FAKE_SCREENSAVER"
program=${1:?$usage}
fake=${2:?$usage}
setting=${3:-}

if [ -z "$setting" ]; then
  # The test's own bus configuration: nothing from the system's service folders (a real screen
  # saver, the accessibility bus) can be started on it.
  config=$(mktemp)
  trap 'rm -f "$config"' EXIT
  cat >"$config" <<'XML'
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
XML
  dbus-run-session --config-file="$config" -- "$0" "$program" "$fake" with-service
  dbus-run-session --config-file="$config" -- "$0" "$program" "$fake" with-service-term
  dbus-run-session --config-file="$config" -- "$0" "$program" "$fake" without-service
  DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/bus" "$0" "$program" "$fake" without-bus
  echo "PASS: one hold for the show, given back on Esc and on SIGTERM; no service or no bus: the show runs"
  exit 0
fi

source "$(dirname "$0")/lib.sh"
fake_pid=""
trap '[ -n "$fake_pid" ] && kill "$fake_pid" 2>/dev/null; cleanup' EXIT

# The lines of the program's output about the hold.
hold_messages() { grep -c -e 'screen awake' -e 'screen sleep' "$work/app.log" || true; }

if [ "$setting" != with-service ] && [ "$setting" != with-service-term ]; then
  start_xvfb
  start_program "$program"
  open_show
  # Time for the bus's answer to come back and be reported.
  sleep 1
  window=$(starquill_windows | head -n 1)
  xdotool windowfocus --sync "$window" key Escape
  expect_clean_exit
  [ "$(hold_messages)" -le 1 ] || fail "more than one line about the hold ($setting)"
  echo "PASS ($setting): the show opened and ended cleanly"
  exit 0
fi

# The fake service's log: one line per call, fields separated by tabs.
calls=$work/calls.log
"$fake" "$calls" >"$work/fake.out" 2>&1 &
fake_pid=$!
for _ in $(seq 1 50); do
  grep -qx ready "$work/fake.out" && break
  sleep 0.1
done
grep -qx ready "$work/fake.out" || fail "the fake screen saver did not start: $(cat "$work/fake.out")"
calls_to() { grep -c "^$1"$'\t' "$calls" || true; }
fail_with_calls() { fail "$1; the screen saver's calls:"$'\n'"$(cat "$calls")"; }

start_xvfb
start_program "$program"
poll 100 find_splash || fail "no splash window"
sleep 1
[ "$(calls_to Inhibit)" = 0 ] || fail_with_calls "a hold was asked for while the splash showed"

open_show
inhibited() { [ "$(calls_to Inhibit)" -ge 1 ]; }
poll 50 inhibited || fail_with_calls "no hold was asked for when the show opened"
if [ "$setting" = with-service-term ]; then
  # A session ending the program: SIGTERM gives the hold back as Esc does.
  signal_program TERM
  [ "$status" = 0 ] || fail "SIGTERM ended the show with status $status"
else
  window=$(starquill_windows | head -n 1)
  xdotool windowfocus --sync "$window" key Escape
  expect_clean_exit
fi

# Exactly two calls: the hold, and its release with the same cookie.
IFS=$'\t' read -r method application reason cookie <<<"$(grep "^Inhibit"$'\t' "$calls")"
[ "$(wc -l <"$calls")" = 2 ] && [ "$(calls_to Inhibit)" = 1 ] ||
  fail_with_calls "not one hold and one release"
[ "$application" = Starquill ] || fail_with_calls "the hold was asked for as '$application'"
[ "$(grep "^UnInhibit"$'\t' "$calls")" = "UnInhibit"$'\t'"$cookie" ] ||
  fail_with_calls "hold $cookie was not given back"
[ "$(hold_messages)" = 0 ] || fail "the program reported a problem with the hold"
echo "PASS ($setting): hold $cookie ($method as $application: $reason) given back"
