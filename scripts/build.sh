#!/usr/bin/env bash
# Configures and builds Skyloom with CMake and Ninja in ./build (or $SKYLOOM_BUILD_DIR).
# Extra arguments go to the CMake configuration, e.g. -DSKYLOOM_SANITIZE=thread.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SKYLOOM_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
ninja -C "$build"
