#!/usr/bin/env bash
# Installs what is missing, builds, and starts Skyloom. Arguments go to skyloom.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" >/dev/null
exec "${SKYLOOM_BUILD_DIR:-$root/build}/bin/skyloom" "$@"
