#!/usr/bin/env bash
# Compares composing a 3840x2160 wallpaper with the floor of decoding the photo with djpeg plus
# encoding a 3840x2160 JPEG at quality 100 with cjpeg, in the same run, five times each: a flat
# landscape photo with reflection over a gradient (target: within 2x the floor) and a portrait
# photo at "Center Right - 3D" (within 3x). Peak memory target: under 400 MiB.
#
# The photo is Debian's mate-backgrounds Elephants_5640x3172.jpg re-encoded as a baseline JPEG,
# and turned a quarter for the portrait case. Needs mate-backgrounds and libjpeg-turbo-progs.
#
#   bench/compose_vs_floor.sh [BENCH_BINARY] [WORK_DIR]
set -euo pipefail
bench=${1:-build/bin/skyloom-bench}
work=${2:-/tmp/skyloom-compose-bench}
source_photo=/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg
for tool in djpeg cjpeg jpegtran; do
  command -v "$tool" >/dev/null || { echo "needs $tool: apt-get install libjpeg-turbo-progs" >&2; exit 1; }
done
[ -f "$source_photo" ] || { echo "needs $source_photo: apt-get install mate-backgrounds" >&2; exit 1; }
mkdir -p "$work"
[ -f "$work/landscape.jpg" ] || djpeg "$source_photo" | cjpeg -quality 95 -baseline >"$work/landscape.jpg"
[ -f "$work/portrait.jpg" ] || jpegtran -rotate 90 -outfile "$work/portrait.jpg" "$work/landscape.jpg"
# A 3840x2160 picture to encode for the floor: the same artwork at screen size.
[ -f "$work/screen.ppm" ] || djpeg "${source_photo%_5640x3172.jpg}_3840x2160.jpg" >"$work/screen.ppm"

export QT_QPA_PLATFORM=offscreen
source "$(dirname "$0")/common.sh"

for kind in landscape portrait; do
  floors=(); composes=(); peaks=()
  for _ in 1 2 3 4 5; do
    start=$(now)
    djpeg "$work/$kind.jpg" >/dev/null
    cjpeg -quality 100 "$work/screen.ppm" >/dev/null
    floors+=("$(ms_since "$start")")
    line=$("$bench" compose "$work/$kind.jpg" "$kind" "$work/$kind-wallpaper.jpg" | tail -n 1)
    composes+=("$(echo "$line" | sed 's/ms=\([0-9.]*\).*/\1/')")
    peaks+=("$(echo "$line" | sed 's/.*peak_mib=//')")
  done
  floor=$(printf '%s\n' "${floors[@]}" | median)
  compose=$(printf '%s\n' "${composes[@]}" | median)
  peak=$(printf '%s\n' "${peaks[@]}" | median)
  echo "$kind floor runs (ms): ${floors[*]}"
  echo "$kind compose runs (ms): ${composes[*]}"
  echo "$kind floor_ms=$floor compose_ms=$compose ratio=$(ratio "$compose" "$floor") peak_mib=$peak"
done
