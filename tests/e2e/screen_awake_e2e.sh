#!/usr/bin/env bash
# The screen saver hold in a real X server, each case on a private session bus of its own.
# - with-service: a fake screen saver service that logs its calls sees no hold while the
#   splash shows, exactly one, as "Starquill", when the show opens, and that hold given back
#   before the program ends on Esc; with-service-term: the same when SIGTERM ends it.
# - portal: without that service, a fake desktop portal sees one Inhibit of the idle (flags 8)
#   with a reason, and Close on its request's handle when the show ends on Esc.
# - x-server: the X server's own screen saver comes on while the splash shows, stays off while
#   the show runs, and comes on again once it has ended. (Xvfb has no DPMS to check.)
# - without-service, without-bus, unset-bus: the show still opens and ends cleanly on Esc,
#   with at most one line about the hold on stderr, one that names a missing bus in words.
set -euo pipefail
usage="usage: screen_awake_e2e.sh STARQUILL FAKE_SCREENSAVER FAKE_PORTAL SCREEN_SAVER_STATE"
program=${1:?$usage}
fake=${2:?$usage}
fake_portal=${3:?$usage}
saver_state=${4:?$usage}
setting=${5:-}

if [ -z "$setting" ]; then
  # The test's own bus configuration: nothing from the system's service folders (a real screen
  # saver, a portal, the accessibility bus) can be started on it.
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
  for case in with-service with-service-term portal x-server without-service; do
    dbus-run-session --config-file="$config" -- "$0" "$@" "$case"
  done
  DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/bus" "$0" "$@" without-bus
  # No address at all: the bus library then looks in the runtime folder, here an empty one.
  runtime=$(mktemp -d)
  env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$runtime" "$0" "$@" unset-bus
  rmdir "$runtime"
  echo "PASS: one hold for the show through the screen saver, the portal and the X server," \
    "given back on Esc and on SIGTERM; no service or no bus: the show runs"
  exit 0
fi

source "$(dirname "$0")/lib.sh"
fake_pid=""
trap '[ -n "$fake_pid" ] && kill "$fake_pid" 2>/dev/null; cleanup' EXIT

# The lines of the program's output about the hold.
hold_messages() { grep -c -e 'screen awake' -e 'screen sleep' "$work/app.log" || true; }

end_show_with_esc() {
  xdotool windowfocus --sync "$(starquill_windows | head -n 1)" key Escape
  expect_clean_exit
}

case "$setting" in
  without-service | without-bus | unset-bus)
    start_xvfb
    start_program "$program"
    open_show
    # Time for the bus's answer to come back and be reported.
    sleep 1
    end_show_with_esc
    [ "$(hold_messages)" -le 1 ] || fail "more than one line about the hold ($setting)"
    case "$setting" in
      without-bus) expected="no session bus at unix:path=/nonexistent/bus" ;;
      unset-bus) expected="no session bus (DBUS_SESSION_BUS_ADDRESS is not set)" ;;
      *) expected="neither org.freedesktop.ScreenSaver nor org.freedesktop.portal.Desktop" ;;
    esac
    grep -q "^starquill: cannot keep the screen awake: $expected" "$work/app.log" ||
      fail "the program did not say '$expected' ($setting)"
    echo "PASS ($setting): the show opened and ended cleanly"
    exit 0
    ;;
  x-server)
    start_xvfb
    # The server saves the screen after a second without input.
    xset s 1 0
    saver_is() { [ "$("$saver_state")" = "$1" ]; }
    start_program "$program"
    poll 100 find_splash || fail "no splash window"
    poll 30 saver_is on || fail "the screen saver did not come on while the splash showed"
    open_show
    # A motion starts the second anew, after the show has held the saver off.
    xdotool mousemove_relative 1 1
    sleep 2.5
    saver_is off || fail "the screen saver came on during the show ($("$saver_state"))"
    end_show_with_esc
    for _ in $(seq 1 30); do
      saver_is on && break
      sleep 0.1
    done
    saver_is on || fail "the screen saver stayed off after the show"
    echo "PASS (x-server): the X server's screen saver held off during the show only"
    exit 0
    ;;
esac

# A fake service that logs its calls to $calls, one line per call, fields separated by tabs.
calls=$work/calls.log
if [ "$setting" = portal ]; then
  "$fake_portal" "$calls" >"$work/fake.out" 2>&1 &
else
  "$fake" "$calls" >"$work/fake.out" 2>&1 &
fi
fake_pid=$!
for _ in $(seq 1 50); do
  grep -qx ready "$work/fake.out" && break
  sleep 0.1
done
grep -qx ready "$work/fake.out" || fail "the fake service did not start: $(cat "$work/fake.out")"
calls_to() { grep -c "^$1"$'\t' "$calls" || true; }
fail_with_calls() { fail "$1; the service's calls:"$'\n'"$(cat "$calls")"; }

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
  [ "$status" = 143 ] || fail "SIGTERM did not end the show by the signal (status $status)"
else
  end_show_with_esc
fi
[ "$(hold_messages)" = 0 ] || fail "the program reported a problem with the hold"
[ "$(wc -l <"$calls")" = 2 ] && [ "$(calls_to Inhibit)" = 1 ] ||
  fail_with_calls "not one hold and one release"

if [ "$setting" = portal ]; then
  # The hold, and the close of the request the portal made for it.
  # (cut, not read: read would merge the empty window's tabs.)
  line=$(grep "^Inhibit"$'\t' "$calls")
  field() { cut -f "$1" <<<"$line"; }
  window=$(field 2) flags=$(field 3) reason=$(field 4) handle=$(field 5)
  [ -z "$window" ] && [ "$flags" = 8 ] && [ -n "$reason" ] ||
    fail_with_calls "not a hold of the idle for no window with a reason"
  [ "$(grep "^Close"$'\t' "$calls")" = "Close"$'\t'"$handle" ] ||
    fail_with_calls "request $handle was not closed"
  echo "PASS (portal): hold $handle ($reason) closed on Esc"
  exit 0
fi

# The hold, and its release with the same cookie.
IFS=$'\t' read -r method application reason cookie <<<"$(grep "^Inhibit"$'\t' "$calls")"
[ "$application" = Starquill ] || fail_with_calls "the hold was asked for as '$application'"
[ "$(grep "^UnInhibit"$'\t' "$calls")" = "UnInhibit"$'\t'"$cookie" ] ||
  fail_with_calls "hold $cookie was not given back"
echo "PASS ($setting): hold $cookie ($method as $application: $reason) given back"
