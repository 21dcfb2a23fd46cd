#!/usr/bin/env bash
# Recording a show into a video file, with no display at all: each container holds the streams,
# codecs, size, rate, frame count and duration asked for; two recordings with the same options
# decode to the same frames; the bang of a burst is heard where the video shows the burst; Ctrl-C
# leaves a finished file of what was rendered, with status 130; and every mistake is one line
# and its status, without a file left behind.
set -euo pipefail
program=${1:?usage: record_e2e.sh PATH_TO_STARQUILL}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the program without any display; sets status, and leaves its stderr in $work/err.
record() {
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" 2>"$work/err" || status=$?
}
# One value of a stream of a file, as ffprobe names it: probe FILE STREAM ENTRY.
probe() {
  ffprobe -v error -select_streams "$2" -count_packets -show_entries "stream=$3" \
    -of default=noprint_wrappers=1:nokey=1 "$1"
}
duration() { ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$1"; }
# Whether two numbers lie within a tolerance: near A B TOLERANCE.
near() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; exit !(d <= t && -d <= t) }'; }

show=(--seed 7 --programme grand-finale --duration 2 --size 320x180 --fps 30 --quiet)
for case in "mp4 h264 aac" "webm vp9 opus" "mkv ffv1 flac"; do
  set -- $case
  file=$work/clip.$1
  record --record "$file" "${show[@]}" --sound
  [ "$status" = 0 ] && [ ! -s "$work/err" ] || fail ".$1: status $status, $(cat "$work/err")"
  [ "$(probe "$file" v codec_name)" = "$2" ] && [ "$(probe "$file" a codec_name)" = "$3" ] ||
    fail ".$1: codecs $(probe "$file" v codec_name) and $(probe "$file" a codec_name)"
  [ "$(probe "$file" v width)x$(probe "$file" v height)" = 320x180 ] ||
    fail ".$1: size $(probe "$file" v width)x$(probe "$file" v height)"
  [ "$(probe "$file" v r_frame_rate)" = 30/1 ] || fail ".$1: rate $(probe "$file" v r_frame_rate)"
  [ "$(probe "$file" v nb_read_packets)" = 60 ] ||
    fail ".$1: $(probe "$file" v nb_read_packets) frames, not 60"
  near "$(duration "$file")" 2 0.05 || fail ".$1: duration $(duration "$file")"
done
echo "PASS: .mp4 (H.264, AAC), .webm (VP9, Opus) and .mkv (FFV1, FLAC): 60 frames of 320x180 at 30 a second, 2 s"

# The same options, the same frames.
frames() { ffmpeg -v error -i "$1" -map 0:v -f framemd5 - | grep -v '^#'; }
record --record "$work/again.mp4" "${show[@]}" --sound
[ "$(frames "$work/clip.mp4")" = "$(frames "$work/again.mp4")" ] ||
  fail "two recordings with the same options decoded to different frames"
echo "PASS: two recordings with the same options decode to the same frames"

# A burst rocket launched at 0.5 s bursts at the top of its flight: the frame where the glowing
# sky lights up and the first bang of the sound lie within a frame of each other.
record --record "$work/burst.mkv" --seed 3 --keys 1@0.5 --duration 3.9 --size 320x180 --fps 30 \
  --glow --sound --quiet
[ "$status" = 0 ] || fail "the burst's recording: status $status, $(cat "$work/err")"
burst_frame=$(ffmpeg -v error -i "$work/burst.mkv" -map 0:v \
  -vf "signalstats,metadata=print:key=lavfi.signalstats.YAVG:file=-" -f null - |
  awk -F= '/YAVG/ { n++; if (seen && $2 > last + 3) { print n - 1; exit } last = $2; seen = 1 }' ||
  true)
[ -n "$burst_frame" ] || fail "the video shows no burst"
bang_ms=$(ffmpeg -v error -i "$work/burst.mkv" -map 0:a -ac 1 -f s16le -ar 48000 - |
  od -An -v -t d2 -w960 |
  awk '{ s = 0; for (i = 1; i <= NF; i++) s += $i * $i; rms = sqrt(s / NF)
         if (rms > 3000) { print (NR - 1) * 10; exit } }' || true)
[ -n "$bang_ms" ] || fail "no bang in the sound"
burst_ms=$((burst_frame * 1000 / 30))
near "$bang_ms" "$burst_ms" 40 || fail "the bang at $bang_ms ms, the burst at $burst_ms ms"
echo "PASS: the burst shows at $burst_ms ms and bangs at $bang_ms ms"

# Ctrl-C part way: a finished file with what was rendered, and the shell's status for SIGINT.
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --record "$work/stopped.mp4" --seed 7 --duration 60 \
  --size 320x180 --sound --quiet 2>"$work/err" &
pid=$!
for _ in $(seq 1 100); do [ -s "$work/stopped.mp4" ] && break; sleep 0.05; done
sleep 1
kill -INT "$pid"
status=0
wait "$pid" || status=$?
[ "$status" = 130 ] || fail "Ctrl-C: status $status, $(cat "$work/err")"
packets=$(probe "$work/stopped.mp4" v nb_read_packets)
[ "$packets" -gt 0 ] && [ "$packets" -lt 3600 ] || fail "Ctrl-C left $packets frames"
near "$(duration "$work/stopped.mp4")" "$(awk -v n="$packets" 'BEGIN { print n / 60 }')" 0.1 ||
  fail "Ctrl-C: $packets frames in $(duration "$work/stopped.mp4") s"
echo "PASS: Ctrl-C after about a second left $packets frames, $(duration "$work/stopped.mp4") s, status 130"

# Mistakes: one line each, the right status, no file.
record --record "$work/no/such/folder/clip.mp4" --duration 1
[ "$status" = 1 ] && [ "$(wc -l <"$work/err")" = 1 ] && grep -q '^starquill: cannot record' "$work/err" ||
  fail "a folder that does not exist: status $status, $(cat "$work/err")"
record --record "$work/clip.avi"
[ "$status" = 2 ] && grep -q "unknown video format '.avi': use .mp4, .webm or .mkv" "$work/err" ||
  fail "an unknown extension: status $status, $(cat "$work/err")"
[ ! -e "$work/clip.avi" ] || fail "an unknown extension left a file"
record --record "$work/clip.mp4" --root
[ "$status" = 2 ] && grep -q "'--root' makes no sense with '--record'" "$work/err" ||
  fail "--root with --record: status $status, $(cat "$work/err")"
# A disk that fills up: the file may grow to 64 KiB only.
status=0
(ulimit -f 64 && trap '' XFSZ && exec env -u DISPLAY "$program" --record "$work/full.mp4" \
  --duration 10 --size 640x360 --quiet) 2>"$work/err" || status=$?
[ "$status" = 1 ] && [ "$(wc -l <"$work/err")" = 1 ] && grep -q '^starquill: cannot record' "$work/err" ||
  fail "a full disk: status $status, $(cat "$work/err")"
if [ -e "$work/full.mp4" ]; then
  ffprobe -v error "$work/full.mp4" || fail "a full disk left a file that does not play"
fi
echo "PASS: no folder, an unknown format, --root, and a full disk each gave one line and their status"
