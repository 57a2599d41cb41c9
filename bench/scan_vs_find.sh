#!/usr/bin/env bash
# Compares a full scan with find listing the same matches with their time and size, on a tree
# of 200,000 files in 20,000 folders (half of them photos), alternating the two, five runs each
# after one warm-up; then times cancelling such a scan five times. Prints medians.
#
#   bench/scan_vs_find.sh [BENCH_BINARY] [TREE_DIR]
set -euo pipefail
bench=${1:-build/bin/skyloom-bench}
tree=${2:-/tmp/skyloom-scan-tree}
[ -d "$tree" ] || "$bench" make-tree "$tree" 20000 10 >/dev/null

source "$(dirname "$0")/common.sh"
find_once() {
  local start
  start=$(now)
  find "$tree" -type f \( -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.bmp' -o -iname '*.png' \
       -o -iname '*.tif' -o -iname '*.tiff' \) -printf '%T@ %s %p\n' >/dev/null
  ms_since "$start"
}
scan_once() { "$bench" scan "$tree" | tail -n 1 | sed 's/.*ms=//'; }

find_once >/dev/null; scan_once >/dev/null
finds=(); scans=()
for _ in 1 2 3 4 5; do
  finds+=("$(find_once)"); scans+=("$(scan_once)")
done
photos=$("$bench" scan "$tree" | tail -n 1 | sed 's/photos=\([0-9]*\).*/\1/')
found=$(find "$tree" -type f \( -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.bmp' -o -iname '*.png' \
       -o -iname '*.tif' -o -iname '*.tiff' \) | wc -l)
cancels=()
for _ in 1 2 3 4 5; do
  cancels+=("$("$bench" cancel "$tree" 100 | tail -n 1 | sed 's/.*cancel_ms=//')")
done
find_ms=$(printf '%s\n' "${finds[@]}" | median)
scan_ms=$(printf '%s\n' "${scans[@]}" | median)
cancel_ms=$(printf '%s\n' "${cancels[@]}" | median)
echo "find runs (ms): ${finds[*]}"
echo "scan runs (ms): ${scans[*]}"
echo "cancel runs (ms): ${cancels[*]}"
echo "photos=$photos find_matches=$found find_ms=$find_ms scan_ms=$scan_ms ratio=$(ratio "$scan_ms" "$find_ms") cancel_ms=$cancel_ms"
