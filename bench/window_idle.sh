#!/usr/bin/env bash
# The window program at rest, hidden in the tray: resident memory once a queue of PHOTOS photos
# is built, and the CPU it uses over SECONDS while it waits for a 10-minute interval (clock
# ticks of user and system time from /proc, 100 a second). Runs the real program under Xvfb with
# the file-only desktop, started minimized; a real X11 tray (trayer) comes up two seconds after
# it, as a panel may at log-in. The photos are small JPEGs made by ImageMagick.
#
#   bench/window_idle.sh [BUILD_DIR] [PHOTOS] [SECONDS]
set -euo pipefail
build=$(realpath "${1:-build}")
photos=${2:-10000}
seconds=${3:-60}
work=$(mktemp -d)
trap 'kill "${pid:-0}" "${tray:-0}" "${xvfb:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/photos" "$work/runtime"
chmod 700 "$work/runtime"
convert -size 64x48 gradient:blue-orange "$work/seed.jpg"
for i in $(seq 1 "$photos"); do cp "$work/seed.jpg" "$work/photos/$i.jpg"; done
home="$work/home"
"$build/bin/skyloom-bench" slideshow-home "$home" "$work/photos" 10 0 1 >/dev/null

export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$work/runtime"
export SKYLOOM_SET_WALLPAPER_COMMAND=true
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
"$build/bin/skyloom" >"$work/out" 2>&1 &
pid=$!
sleep 2
trayer --expand false --widthtype request --align right >/dev/null 2>&1 &
tray=$!
# Ready: the queue is built and the first change has ended (the interval is armed).
for _ in $(seq 1 600); do
  if "$build/bin/skyloom" --status 2>/dev/null |
     grep -Eq "^running, [1-9][0-9,]* photos? queued.*next change in"; then
    break
  fi
  sleep 0.2
done
sleep 1
program=$(pgrep -f "^$build/bin/skyloom$" | head -1)
"$build/bin/skyloom" --status
shown=$( (xdotool search --onlyvisible --name '^Skyloom - Desktop Wallpaper Changer$' || true) | wc -l)
docked=$(xwininfo -root -tree | grep -A6 '"panel": ("panel" "trayer")' | grep -c '"Skyloom": ("skyloom"' || true)
echo "windows shown $shown, icons in the tray $docked"
echo "resident $(awk '/VmRSS/ {printf "%.1f MiB", $2 / 1024}' "/proc/$program/status")"
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
start=$(ticks "$program")
sleep "$seconds"
end=$(ticks "$program")
echo "waiting seconds=$seconds cpu_ticks=$((end - start))"
"$build/bin/skyloom" --quit >/dev/null
wait "$pid" || true
