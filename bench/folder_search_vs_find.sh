#!/usr/bin/env bash
# The QuickStart wizard's search (every folder walked once, its photos counted) against find
# listing the same photo files by name, on the tree of 200,000 files in 20,000 folders of
# scan_vs_find.sh, alternating the two, five runs each after one warm-up; then cancels the
# search on its worker five times after 50 ms, timing Cancel to the result reaching the main
# thread. Prints medians.
#
#   bench/folder_search_vs_find.sh [BENCH_BINARY] [TREE_DIR]
set -euo pipefail
bench=${1:-build/bin/skyloom-bench}
tree=${2:-/tmp/skyloom-scan-tree}
[ -d "$tree" ] || "$bench" make-tree "$tree" 20000 10 >/dev/null

source "$(dirname "$0")/common.sh"
find_once() {
  local start
  start=$(now)
  find "$tree" -type f \( -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.bmp' -o -iname '*.png' \
       -o -iname '*.tif' -o -iname '*.tiff' \) >/dev/null
  ms_since "$start"
}
search_once() { "$bench" folder-search "$tree" | tail -n 1 | sed 's/.*ms=//'; }

find_once >/dev/null; search_once >/dev/null
finds=(); searches=()
for _ in 1 2 3 4 5; do
  finds+=("$(find_once)"); searches+=("$(search_once)")
done
summary=$("$bench" folder-search "$tree" | tail -n 1)
cancels=()
for _ in 1 2 3 4 5; do
  cancels+=("$("$bench" folder-search-job-cancel "$tree" 50 | tail -n 1 | sed 's/.*cancel_ms=//')")
done
find_ms=$(printf '%s\n' "${finds[@]}" | median)
search_ms=$(printf '%s\n' "${searches[@]}" | median)
cancel_ms=$(printf '%s\n' "${cancels[@]}" | median)
echo "find runs (ms): ${finds[*]}"
echo "search runs (ms): ${searches[*]}"
echo "cancel runs (ms): ${cancels[*]}"
echo "${summary% ms=*} find_ms=$find_ms search_ms=$search_ms ratio=$(ratio "$search_ms" "$find_ms") cancel_ms=$cancel_ms"
