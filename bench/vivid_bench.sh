#!/usr/bin/env bash
# What a Grand Finale costs and how rich it looks, side by side with a peer: the screen saver
# hack fireworkx (Debian's xscreensaver-data-extra) drawing on the root window, and the real
# program (--show --programme grand-finale --seed 7) plain and in each of its looks that the
# binary knows (--vivid; --smooth and --glow alone), at 1920x1080 and 3840x2160, each run on a
# fresh Xvfb screen of its own without a window manager.
#
# Each run warms up for BENCH_WARMUP seconds (3 unless set), then measures for BENCH_SECONDS
# (10 unless set) the processor time of the program and of the X server as shares of one core,
# takes one screenshot (the share of pixels brighter than 4 % and the mean brightness, where a
# pixel's brightness is its brightest channel, so that a pure blue sparkle is as lit as a white
# one), and then counts for BENCH_SECONDS more the frames that reach the X server
# (tests/e2e/frame_counter, through X DAMAGE on the root window). The frames are counted in a window
# of their own because watching every drawn rectangle costs the X server up to a few per cent of
# a core, as much as a plain show's whole drawing; the screenshot lies between the two windows
# so that neither pays for it.
#
# Xvfb has no refresh rate: Qt paces a window's updates (QWindow::requestUpdate) with a timer at
# about 60 Hz, so "60 frames a second" here means Qt's own pace. The show's animation tick is
# 50 ms, so the plain show presents about 20 frames a second.
#
# Prints a table, then each look's total (program and X server) against the peer's at each size,
# the target for --vivid being at most a third, and whether --vivid reaches 55 frames a second at
# 1920x1080. The figures are reported, not judged: the script fails only when a program does not
# start or ends early. BENCH_SIZES (WxH ...) narrows the sizes; BENCH_SHOTS names a folder to
# keep the screenshots in; FRAME_COUNTER names the counter when it is not in the build next to
# the program.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:?usage: vivid_bench.sh PATH_TO_STARQUILL}
warmup=${BENCH_WARMUP:-3}
seconds=${BENCH_SECONDS:-10}
sizes=${BENCH_SIZES:-1920x1080 3840x2160}
peer=/usr/libexec/xscreensaver/fireworkx

# The Starquill rows, in order: a name and the options added to the show's. A look whose option
# the program does not know (yet) is skipped with a line saying so.
looks=(
  "plain:"
  "smooth:--smooth"
  "glow:--glow"
  "vivid:--vivid"
)

# What this benchmark alone needs: the peer, and the DAMAGE extension's development files for
# the frame counter.
setup() {
  local package status missing=() as_root=()
  for package in xscreensaver-data-extra libxcb-damage0-dev; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "vivid_bench: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "vivid_bench: run as root or install sudo" >&2; exit 1; }
    as_root=(sudo)
  fi
  install() {
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" \
      apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
  }
  install || { "${as_root[@]}" apt-get update >/dev/null && install; }
}
setup
[ -x "$peer" ] || { echo "vivid_bench: $peer is missing" >&2; exit 1; }

# The counter is built with the tests (tests/e2e/frame_counter.cpp); a build without it is
# configured again and builds it.
build=$(cd "$(dirname "$program")/.." && pwd)
counter=${FRAME_COUNTER:-$build/tests/frame_counter}
if [ ! -x "$counter" ]; then
  [ -f "$build/CMakeCache.txt" ] || { echo "vivid_bench: no build in $build for $counter" >&2; exit 1; }
  cmake "$build" >/dev/null
  cmake --build "$build" --target frame_counter >/dev/null
fi

source "$here/../tests/e2e/lib.sh"

# The looks this binary has, with their options; a line for each one it does not have.
help=$("$program" --help) || { echo "vivid_bench: $program --help failed" >&2; exit 1; }
rows=()
for look in "${looks[@]}"; do
  name=${look%%:*} option=${look#*:}
  if [ -n "$option" ] && ! grep -Eq -- "(^|[[:space:]])$option([[:space:]=,]|$)" <<<"$help"; then
    echo "vivid_bench: the $name look is not built (starquill has no $option): no $name rows"
    continue
  fi
  rows+=("$look")
done

stop_xvfb() {
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

# utime + stime of a process, all its threads, in clock ticks (the command name in field 2 may
# hold spaces, so the fields are counted after it).
cpu_ticks() {
  local stat fields
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1  # gone: the caller says why
  stat=${stat##*) }
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12]))
}
share_of_core() {  # TICKS NANOSECONDS
  awk -v c="$1" -v k="$(getconf CLK_TCK)" -v t="$2" 'BEGIN { printf "%.1f", 100 * c / k / (t / 1e9) }'
}

# Fails for a program that has ended, with its exit status (128 + N when signal N ended it).
ended_early() {
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  fail "$1 ended early (exit status $status)"
}

# One run: NAME, then the command. Sets the figures of the row.
measure() {
  local name=$1 app_before x_before app_after x_after started ended looks_like counted
  shift
  start_program "$@"
  if [ "$name" = peer ]; then
    sleep 0.5
    program_running || ended_early "$name"
  else
    poll 100 starquill_window_count_is 1 || fail "the $name show did not open"
  fi
  sleep "$warmup"
  program_running || ended_early "$name"

  app_before=$(cpu_ticks "$app_pid") x_before=$(cpu_ticks "$xvfb_pid") started=$(date +%s%N)
  sleep "$seconds"
  app_after=$(cpu_ticks "$app_pid") x_after=$(cpu_ticks "$xvfb_pid") ended=$(date +%s%N)
  program_running || ended_early "$name"
  app_cpu=$(share_of_core $((app_after - app_before)) $((ended - started)))
  x_cpu=$(share_of_core $((x_after - x_before)) $((ended - started)))

  shoot
  looks_like=$(/usr/bin/convert "$work/shot.png" -alpha off -separate -evaluate-sequence max \
    \( +clone -threshold 4% \) -format '%[fx:100*mean] ' info:)
  read -r brightness lit <<<"$looks_like"
  [ -z "${BENCH_SHOTS:-}" ] || cp "$work/shot.png" "$BENCH_SHOTS/${screen_width}x$screen_height-$name.png"

  counted=$("$counter" "$seconds") || fail "the frame counter failed"
  read -r fps _ <<<"$counted"
  program_running || ended_early "$name"
  signal_program TERM
}

declare -A total frames
printf '\n%-9s  %-16s  %9s  %9s  %7s  %8s  %6s  %10s\n' size program 'prog CPU%' 'X CPU%' \
  'total%' 'frames/s' 'lit%' 'brightness%'
for size in $sizes; do
  screen_width=${size%x*} screen_height=${size#*x}
  for row in peer "${rows[@]}"; do
    start_xvfb
    if [ "$row" = peer ]; then
      name=peer
      measure peer "$peer" -root
    else
      name=${row%%:*} option=${row#*:}
      # shellcheck disable=SC2086  # no option, or one
      measure "$name" "$program" --show --programme grand-finale --seed 7 $option
    fi
    stop_xvfb
    total[$size $name]=$(awk -v a="$app_cpu" -v x="$x_cpu" 'BEGIN { printf "%.1f", a + x }')
    frames[$size $name]=$fps
    if [ "$name" = peer ]; then label="peer fireworkx"; else label="starquill $name"; fi
    printf '%-9s  %-16s  %9s  %9s  %7s  %8.1f  %6.1f  %10.1f\n' "$size" "$label" "$app_cpu" \
      "$x_cpu" "${total[$size $name]}" "$fps" "$lit" "$brightness"
  done
done

echo
echo "Starquill's total CPU (program + X server) as a share of the peer's; vivid's target: at most a third"
for size in $sizes; do
  for row in "${rows[@]}"; do
    name=${row%%:*}
    ratio=$(awk -v t="${total[$size $name]}" -v p="${total[$size peer]}" -v n="$name" 'BEGIN {
      if (p <= 0) { print "-"; exit }
      printf "%.2f", t / p
      if (n == "vivid") printf "  (%s the target)", t <= p / 3 ? "within" : "over"
    }')
    printf '  %-9s  %-6s  %s\n' "$size" "$name" "$ratio"
  done
done
if [ -n "${frames[1920x1080 vivid]:-}" ]; then
  fps=${frames[1920x1080 vivid]}
  if awk -v f="$fps" 'BEGIN { exit !(f >= 55) }'; then verdict=reached; else verdict="not reached"; fi
  echo "vivid at 1920x1080: $fps frames/s; target at least 55: $verdict"
else
  echo "vivid at 1920x1080: not measured (target at least 55 frames/s)"
fi
