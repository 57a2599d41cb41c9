#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test with CTest.
# Arguments go to ctest, e.g. -R settings or -V.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SKYLOOM_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh"
"$root/scripts/build.sh" -DSKYLOOM_WERROR=ON
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
