#!/usr/bin/env bash
# Installs the Debian packages that Starquill needs to build, run and test, when some are
# missing. Quick and silent when everything is already there. Needs root or sudo to install.
set -euo pipefail

packages=(
  g++ make cmake ninja-build pkg-config         # build tools
  qt6-base-dev                                  # windows, menus, message boxes
  libfreetype-dev libfontconfig-dev             # text
  libxcb1-dev                                   # other programs' X windows to draw in
  libxcb-screensaver0-dev libxcb-dpms0-dev      # the X server's screen saver and DPMS held off
  libpulse-dev                                  # sound, through the sound server's API
  libavformat-dev libavcodec-dev                # video files: FFmpeg's muxers and encoders
  libswscale-dev libswresample-dev              # ... and its pixel and sample converters
  fonts-liberation2 fonts-dejavu-core           # Arial-compatible and default fonts
  libgtest-dev libgmock-dev libbenchmark-dev    # tests and benchmarks
  time                                          # ... and a recording's peak memory
  xvfb xauth xdotool imagemagick                # end-to-end tests in a real X server
  libxcb-damage0-dev                            # ... counting the frames that reach it
  openbox x11-utils                             # ... under a real window manager
  x11-xserver-utils                             # ... with the X server's screen saver set
  dbus-daemon                                   # end-to-end tests on a private session bus
  weston qt6-wayland                            # ... natively on a Wayland compositor
  pulseaudio pulseaudio-utils                   # ... and with a private sound server
  ffmpeg                                        # ffprobe, to look into the video files made
  dpkg-dev lintian                              # the Debian package and its checker
  desktop-file-utils appstream man-db           # validators of the desktop entry, metainfo, manual
  libxml2-utils librsvg2-bin                    # ... and of the SVG icon
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo." >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
install() { "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; }
# A fresh machine may have no package lists yet.
install || { "${as_root[@]}" apt-get update && install; }
