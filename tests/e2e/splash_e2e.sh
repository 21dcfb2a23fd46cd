#!/usr/bin/env bash
# The splash screen in a real X server: its band, its grown title and its blue start button;
# the button's hover look under the real pointer; a click hands over to the show, where a key
# launches fireworks and Esc ends the program. With STARQUILL_SCREENSHOTS set to a folder, the
# splash and the show are saved there as splash.png and show.png.
source "$(dirname "$0")/lib.sh"
program=${1:?usage: splash_e2e.sh PATH_TO_STARQUILL}

start_xvfb
start_program "$program"
poll 100 find_splash || fail "no splash window"

grown() { shoot && [ "$(red_title_pixels)" -ge 300 ]; }
poll 50 grown || fail "the title did not grow ($(red_title_pixels) red pixels)"

[ "$(client_pixel 0 5)" = "144,2,255" ] || fail "band column 0 is $(client_pixel 0 5)"
[ "$(client_pixel 200 5)" = "0,254,25" ] || fail "band column 200 is $(client_pixel 200 5)"
[ "$(client_pixel 344 240)" = "80,153,233" ] || fail "the button's body is $(client_pixel 344 240)"
if [ -n "${STARQUILL_SCREENSHOTS:-}" ]; then
  mkdir -p "$STARQUILL_SCREENSHOTS"
  /usr/bin/convert "$work/shot.png" -crop "597x276+$((client_x - 4))+$((client_y - 4))" +repage \
    "$STARQUILL_SCREENSHOTS/splash.png"
fi

# The hover look under the real pointer.
xdotool mousemove $((client_x + 344)) $((client_y + 240))
hovered() { shoot && [ "$(client_pixel 344 240)" = "144,192,255" ]; }
poll 30 hovered || fail "no hover look ($(client_pixel 344 240))"

# A click opens the show; the splash is gone for good.
xdotool click 1
poll 50 starquill_window_count_is 1 || fail "the show window did not open"
find_splash && fail "the splash is still there"

window=$(starquill_windows | head -n 1)
xdotool windowfocus --sync "$window" key 5
fireworks() { shoot && [ "$(lit_pixels_in "${screen_width}x$((screen_height - 40))+0+40")" -ge 200 ]; }
poll 60 fireworks || fail "no fireworks after a key"
if [ -n "${STARQUILL_SCREENSHOTS:-}" ]; then
  # A fuller sky for the picture: every type, caught as the bursts open.
  xdotool key 1 2 3 4 6 7
  sleep 2.9
  shoot
  cp "$work/shot.png" "$STARQUILL_SCREENSHOTS/show.png"
fi

xdotool key Escape
expect_clean_exit
echo "PASS: splash band, title, button and hover; the click opened the show; Esc ended it"
