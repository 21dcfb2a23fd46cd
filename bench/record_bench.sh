#!/usr/bin/env bash
# What recording a show costs: a 60-second Grand Finale at 1920x1080, 60 frames a second, into
# .mp4 with its sound, in the plain look and in the vivid one, timed on this machine; the speed
# is seconds of video per second of recording (above 1: faster than it plays). Then a
# ten-minute recording (smaller, to be quick), whose memory is read four times a second: it
# must stay flat.
#
#   record_bench.sh PATH_TO_STARQUILL
#
# RECORD_SECONDS and LONG_SECONDS set the two lengths (60 and 600).
set -euo pipefail
program=${1:?usage: record_bench.sh PATH_TO_STARQUILL}
seconds=${RECORD_SECONDS:-60}
long=${LONG_SECONDS:-600}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
printf '%-8s %-22s %10s %8s %8s\n' look clip "took s" speed "MB"
for look in plain vivid; do
  options=(--programme grand-finale --seed 7 --sound --duration "$seconds" --quiet)
  [ "$look" = vivid ] && options+=(--vivid)
  start=$(now)
  /usr/bin/time -f '%M' -o "$work/rss" env -u DISPLAY "$program" --record "$work/$look.mp4" \
    "${options[@]}"
  took=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }')
  awk -v look="$look" -v s="$seconds" -v t="$took" -v kb="$(cat "$work/rss")" \
    -v size="$(stat -c %s "$work/$look.mp4")" \
    'BEGIN { printf "%-8s %-22s %10s %7.2fx %8.0f  (peak memory %.0f MB)\n", look,
             s " s 1920x1080 60/s", t, s / t, size / 1e6, kb / 1024 }'
done

# Memory over a long recording: the resident size at each tenth of it.
env -u DISPLAY "$program" --record "$work/long.mp4" --size 640x360 --fps 30 --duration "$long" \
  --programme grand-finale --seed 7 --sound --vivid --quiet &
pid=$!
samples=()
while kill -0 "$pid" 2>/dev/null; do
  rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
  # The first readings may be of the process still starting.
  [ -n "$rss" ] && [ "$rss" -gt 10240 ] && samples+=("$rss")
  sleep 0.25
done
wait "$pid"
n=${#samples[@]}
[ "$n" -gt 0 ] || { echo "record_bench: the long recording gave no memory readings" >&2; exit 1; }
line="memory of a ${long} s recording, MB at each tenth:"
for i in $(seq 1 10); do
  line+=" $(( samples[(n - 1) * i / 10] / 1024 ))"
done
echo "$line"
first=${samples[(n - 1) / 10]}
last=${samples[n - 1]}
awk -v a="$first" -v b="$last" 'BEGIN { printf "from the first tenth to the end: %+.1f %%\n",
  (b - a) * 100 / a }'
