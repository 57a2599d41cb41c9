#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test with CTest.
# Arguments go to ctest, e.g. -R settings or -V.
# With SKYLOOM_SANITIZE set (address,undefined or thread) the tests run in a sanitizer build of
# their own, in ./build-sanitize-<sanitizers> unless SKYLOOM_BUILD_DIR says otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sanitize=${SKYLOOM_SANITIZE:-}
if [ -n "$sanitize" ]; then
  build=${SKYLOOM_BUILD_DIR:-$root/build-sanitize-${sanitize//,/-}}
  # Leaks are reported too; a report fails the test that made it. With glibc 2.34 and later,
  # LeakSanitizer's tracer can crash at the exit of a threaded program ("Tracer caught signal
  # 11") unless __tls_get_addr is left alone (google/sanitizers#1267).
  # A report exits 86 (87 for undefined behaviour), so that a test expecting the program to
  # fail with status 1 cannot take a report for that failure.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:intercept_tls_get_addr=0:exitcode=86}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:exitcode=87}
  # Debian's Qt is not built with ThreadSanitizer; what happens inside it is left out.
  export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1 second_deadlock_stack=1 suppressions=$root/tests/tsan.supp}
else
  build=${SKYLOOM_BUILD_DIR:-$root/build}
fi
"$root/scripts/deps.sh"
SKYLOOM_BUILD_DIR=$build "$root/scripts/build.sh" -DSKYLOOM_WERROR=ON "-DSKYLOOM_SANITIZE=$sanitize"
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
