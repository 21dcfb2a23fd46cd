# Shared by the end-to-end scripts: a private Xvfb server (no window manager unless a script
# starts one, white root window so that an uncovered screen shows), the program under test,
# and screenshot probes. Source it, then call start_xvfb and start_program.

set -euo pipefail

work=$(mktemp -d)
# A session's runtime folder of its own, as a desktop session has (Qt warns without one).
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb_pid=""
wm_pid=""
app_pid=""
screen_width=1024
screen_height=768

# Stops what the script started and waits until it is gone: an X server still shutting down
# would hold its display's sockets while the next script's server starts.
cleanup() {
  local pid
  for pid in "$app_pid" "$wm_pid" "$xvfb_pid"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/app.log" ] && sed 's/^/program: /' "$work/app.log" >&2
  [ -f "$work/xvfb.log" ] && sed "s/^/xvfb: /" "$work/xvfb.log" >&2
  exit 1
}

# The server chooses a free display number itself (-displayfd) and writes it once it accepts
# clients, so scripts running side by side never race for a number. It must not reset when its
# last client leaves (-noreset): a client connecting during the reset is refused.
start_xvfb() {
  local number=""
  Xvfb -displayfd 3 -noreset -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp -wr \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 200); do
    number=$(head -n 1 "$work/display" 2>/dev/null || true)
    [ -n "$number" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "the X server ended at start"
    sleep 0.05
  done
  [ -n "$number" ] || fail "the X server did not start"
  export DISPLAY=":$number"
  xdpyinfo >/dev/null 2>&1 || fail "the X server on $DISPLAY does not answer"
}

# A real window manager (openbox, with its default configuration), once it has taken over.
start_window_manager() {
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  wm_pid=$!
  wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  for _ in $(seq 1 100); do
    wm_running && return 0
    sleep 0.1
  done
  fail "the window manager did not start"
}

# Device pixels per pixel of the program's windows: a script sets it before start_program to
# run the program as on a high-density screen (a fractional scale such as 1.5 too).
scale=1

# N pixels in device pixels at the scale, rounded to the nearest.
scaled() { awk -v n="$1" -v s="$scale" 'BEGIN { printf "%d\n", int(n * s + 0.5) }'; }

# Starts the program (its path, then its arguments) in the background.
start_program() {
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$@" >"$work/app.log" 2>&1 &
  app_pid=$!
}

# Ends the program with a signal and waits for it: sets ended_ms, the time from the signal to
# the end of the process, and status, its exit status.
signal_program() {
  local started
  started=$(date +%s%N)
  kill -"$1" "$app_pid"
  status=0
  wait "$app_pid" || status=$?
  ended_ms=$((($(date +%s%N) - started) / 1000000))
  app_pid=""
}

# Takes a screenshot of the whole screen into $work/shot.png.
shoot() { import -window root "$work/shot.png" 2>/dev/null; }

# The largest channel value (0..255) in a region WxH+X+Y of the last screenshot.
brightest_in() {
  /usr/bin/convert "$work/shot.png" -crop "$1" +repage -format '%[fx:int(255*maxima)]' info:
}

# The smallest channel value (0..255) in the last screenshot, or in a region WxH+X+Y of it.
darkest() { /usr/bin/convert "$work/shot.png" -format '%[fx:int(255*minima)]' info:; }
darkest_in() {
  /usr/bin/convert "$work/shot.png" -crop "$1" +repage -format '%[fx:int(255*minima)]' info:
}

# How many pixels of a region WxH+X+Y of the last screenshot are not black.
lit_pixels_in() {
  /usr/bin/convert "$work/shot.png" -crop "$1" +repage -fill white +opaque black \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

# How many pixels of a region WxH+X+Y are bright shades of the count text's colour: red and
# green equal and at least 128, no blue (anti-aliased text rarely covers a pixel fully).
count_text_pixels_in() {
  /usr/bin/convert "$work/shot.png" -crop "$1" +repage -depth 8 txt:- |
    awk -F'[(),]' 'NR > 1 && $3 == $4 && $3 >= 128 && $5 == 0 { n++ } END { print n + 0 }'
}

# The visible windows titled exactly "Starquill", and whether there are N of them.
starquill_windows() { xdotool search --onlyvisible --name '^Starquill$' 2>/dev/null || true; }
starquill_window_count_is() { [ "$(starquill_windows | wc -l)" -eq "$1" ]; }

program_running() { kill -0 "$app_pid" 2>/dev/null; }

# Waits until the program has ended and checks that its exit status is 0.
expect_clean_exit() {
  local status=""
  for _ in $(seq 1 50); do
    if ! program_running; then
      wait "$app_pid" && status=0 || status=$?
      break
    fi
    sleep 0.1
  done
  app_pid=""
  [ "$status" = "0" ] || fail "the program did not exit with status 0 (status '${status}')"
}

# The bounding box "WxH+X+Y" of the count text's pixels (see count_text_pixels_in) in a region
# WxH+X+Y of the last screenshot, relative to the region; empty when there are none.
count_text_box_in() {
  /usr/bin/convert "$work/shot.png" -crop "$1" +repage -depth 8 txt:- |
    awk -F'[(),]' 'NR > 1 && $3 == $4 && $3 >= 128 && $5 == 0 {
        x = $1 + 0; y = $2 + 0
        if (n++ == 0 || x < x0) x0 = x; if (n == 1 || x > x1) x1 = x
        if (n == 1 || y < y0) y0 = y; if (n == 1 || y > y1) y1 = y
      } END { if (n) printf "%dx%d+%d+%d\n", x1 - x0 + 1, y1 - y0 + 1, x0, y0 }'
}

# The colour "r,g,b" (0..255) of a pixel of the last screenshot.
pixel_at() {
  /usr/bin/convert "$work/shot.png" -depth 8 -format '%[fx:int(255*p{'"$1"','"$2"'}.r)],%[fx:int(255*p{'"$1"','"$2"'}.g)],%[fx:int(255*p{'"$1"','"$2"'}.b)]' info:
}

# The splash window (the one visible window of the program without a title, 597 x 276 pixels
# with its frame) and the screen position of its client area: sets splash, client_x and
# client_y.
find_splash() {
  splash=$(xdotool search --onlyvisible --class starquill 2>/dev/null | head -n 1)
  [ -n "$splash" ] || return 1
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$splash")"
  [ "$WIDTH" = "$(scaled 597)" ] && [ "$HEIGHT" = "$(scaled 276)" ] || return 1
  client_x=$((X + $(scaled 4)))
  client_y=$((Y + $(scaled 4)))
}

# Client pixel (x, y) of the last screenshot, in device pixels from the splash's client area.
client_pixel() { pixel_at $((client_x + $1)) $((client_y + $2)); }

# How many strongly red pixels the box of the splash's grown title holds in the last screenshot.
red_title_pixels() {
  local box="$(scaled 200)x$(scaled 53)+$((client_x + $(scaled 196)))+$((client_y + $(scaled 30)))"
  /usr/bin/convert "$work/shot.png" -crop "$box" +repage -depth 8 txt:- |
    awk -F'[(),]' 'NR > 1 && $3 > 200 && $4 < 100 && $5 < 100 { n++ } END { print n + 0 }'
}

# From the splash to the show: clicks the splash's start button and waits for the show window.
open_show() {
  poll 100 find_splash || fail "no splash window"
  xdotool mousemove $((client_x + $(scaled 296))) $((client_y + $(scaled 240))) click 1
  poll 100 starquill_window_count_is 1 || fail "the show window did not open"
}

# Polls (every 0.1 s, at most $1 tries) until the command given after it succeeds.
poll() {
  local tries=$1
  shift
  for _ in $(seq 1 "$tries"); do
    "$@" && return 0
    program_running || fail "the program ended early"
    sleep 0.1
  done
  return 1
}
