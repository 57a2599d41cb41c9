#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Skyloom needs.
# Idempotent: when everything is present it prints nothing and changes nothing.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config clang-format
  # Qt 6 (Core, Gui, Widgets, DBus, Concurrent, Test), the TIFF image plugin and Qt SVG (the
  # artwork is drawn from SVG at the screen's pixel ratio)
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-svg-dev
  # photo library
  libsqlite3-dev
  # decoding photos and encoding the wallpaper through libjpeg-turbo's own API
  libjpeg-dev
  # X11 integration: root pixmap, global hotkeys, idle time
  libx11-dev libxcb1-dev libxcb-keysyms1-dev libxss-dev
  # the monitors of an X11 desktop (RandR)
  libxrandr-dev
  # tests against a real X server and a real D-Bus session
  xvfb xauth xdotool x11-apps x11-utils dbus dbus-x11 gsettings-desktop-schemas libglib2.0-bin
  imagemagick
  # a real X server with several monitors and no hardware, for the multi-monitor tests
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  # a real X11 system tray for the tray icon's test and the idle benchmark
  trayer
  # validating the desktop entries the program writes and installs
  desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "deps.sh: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
