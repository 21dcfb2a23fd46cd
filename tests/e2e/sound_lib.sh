# Sound checks for the end-to-end scripts: a private sound server whose only sink ("test") is a
# null sink, a recording of what is played to it, and the loudness of a recording. Source it
# after lib.sh (it uses $work and fail), then call start_sound_server: programs started after it
# play to that server only, and never start one of their own.

sound_dir="$work/pulse"
# The server logs every buffer event at the debug level (sound_underruns counts them there);
# that much logging slows it down: a measurement of the program sets "notice".
sound_log_level=${sound_log_level:-debug}
sound_server_pid=""
keep_awake_pid=""
record_pid=""

# Starts the server (again, after stop_sound_server: at the same address, as a restarted server
# would be) and waits until it answers.
start_sound_server() {
  mkdir -p "$sound_dir/home" "$sound_dir/run"
  printf 'autospawn = no\n' >"$sound_dir/client.conf"
  export PULSE_CLIENTCONFIG="$sound_dir/client.conf"
  export PULSE_SERVER="unix:$sound_dir/native"
  HOME="$sound_dir/home" PULSE_RUNTIME_PATH="$sound_dir/run" XDG_RUNTIME_DIR="$sound_dir/run" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
    --log-level="$sound_log_level" \
    -L "module-null-sink sink_name=test rate=48000 channels=2" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$sound_dir/native" \
    >>"$work/pulse.log" 2>&1 &
  sound_server_pid=$!
  local answered=""
  for _ in $(seq 1 100); do
    pactl info >/dev/null 2>&1 && answered=yes && break
    kill -0 "$sound_server_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ -z "$answered" ]; then
    sed 's/^/sound server: /' "$work/pulse.log" >&2
    fail "the sound server did not start"
  fi
  # While nothing plays, a null sink sleeps up to 2 s between its rounds, and a new stream waits
  # for the end of that sleep before it starts. A stream of silence keeps it running, so that the
  # program's stream starts at once, as on a real sink; wait until the sink's monitor flows.
  pacat --format=s16le --rate=48000 --channels=2 --latency-msec=10 /dev/zero \
    2>>"$work/pacat.log" &
  keep_awake_pid=$!
  timeout 5 parec -d test.monitor --format=s16le --rate=48000 --channels=2 --raw \
    --latency-msec=10 2>/dev/null | head -c 38400 >/dev/null || true
}

# Ends the server at once, as a crash would, and waits until it is gone.
stop_sound_server() {
  stop_recording
  local pid
  for pid in "$sound_server_pid" "$keep_awake_pid"; do
    [ -n "$pid" ] || continue
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  sound_server_pid=""
  keep_awake_pid=""
}

# Records what the test sink plays, raw 16-bit little-endian stereo at 48 kHz, into a file
# until stop_recording.
record_sink() {
  parec -d test.monitor --format=s16le --rate=48000 --channels=2 --raw --latency-msec=20 \
    >"$1" 2>>"$work/parec.log" &
  record_pid=$!
}

stop_recording() {
  [ -n "$record_pid" ] || return 0
  kill "$record_pid" 2>/dev/null || true
  wait "$record_pid" 2>/dev/null || true
  record_pid=""
}

# How many times the server found a stream named $1 run dry (the program's is "Fireworks"):
# each is a gap in the sound. The server logs them at the debug level it runs at.
sound_underruns() {
  grep -c "underrun of '$1'" "$work/pulse.log" || true
}

# The loudness of a recording, "LEFT RIGHT": each channel's root mean square, 0 to 32767.
loudness() {
  od -An -v -t d2 -w4 "$1" |
    awk '{ l += $1 * $1; r += $2 * $2; n++ }
         END { if (n) printf "%d %d\n", sqrt(l / n), sqrt(r / n); else print "0 0" }'
}

# Stops the sound server with the rest when the script ends.
trap 'stop_sound_server; cleanup' EXIT
