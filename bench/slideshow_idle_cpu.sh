#!/usr/bin/env bash
# The CPU skyloom --slideshow uses while it waits: once the first wallpaper is up with a
# 10-minute interval, and once paused at start-up, each over 60 s (clock ticks of user and
# system time from /proc, 100 a second). Runs without a display (file-only desktop).
#
#   bench/slideshow_idle_cpu.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/photos"
# A few real pictures, drawn by ImageMagick.
for i in 1 2 3; do convert -size 1600x1200 "gradient:#$((i * 3))06090-#f0e0d0" "$work/photos/$i.jpg"; done

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

for mode in waiting paused; do
  home="$work/home-$mode"
  pause=0; [ "$mode" = paused ] && pause=1
  "$build/bin/skyloom-bench" slideshow-home "$home" "$work/photos" 10 "$pause" >/dev/null
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    SKYLOOM_SET_WALLPAPER_COMMAND=true "$build/bin/skyloom" --slideshow >"$work/out-$mode" 2>&1 &
  pid=$!
  # Ready: the first wallpaper written, or the pause shown.
  for _ in $(seq 1 300); do
    if [ "$mode" = waiting ] && [ -f "$home/Documents/My Skyloom/Wallpaper.jpg" ]; then break; fi
    if [ "$mode" = paused ] && grep -q '^Paused$' "$work/out-$mode"; then break; fi
    sleep 0.1
  done
  sleep 2 # let the change job end and the interval be armed
  start=$(ticks "$pid")
  sleep "$seconds"
  end=$(ticks "$pid")
  kill -TERM "$pid"
  wait "$pid" || true
  echo "$mode seconds=$seconds cpu_ticks=$((end - start))"
done
