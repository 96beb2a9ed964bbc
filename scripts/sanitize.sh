#!/usr/bin/env bash
# Builds the media channel tests with AddressSanitizer and with ThreadSanitizer and runs
# each under Xvfb. The build folders are build-address/ and build-thread/ (or below
# $KESTROLA_SANITIZE_DIR). Exit status is non-zero when a test fails or a sanitizer reports.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
base=${KESTROLA_SANITIZE_DIR:-$root}
source scripts/test-env.sh

# The clips are made by ffmpeg from a process that already runs threads.
export TSAN_OPTIONS="halt_on_error=0 die_after_fork=0 exitcode=66 suppressions=$root/tests/playback/tsan-suppressions.txt"
# The framework and Qt keep process-long allocations; leaks are not what this run looks for.
export ASAN_OPTIONS="detect_leaks=0"

status=0
for sanitizer in address thread; do
    build=$base/build-$sanitizer
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS="-fsanitize=$sanitizer -fno-omit-frame-pointer" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=$sanitizer" >/dev/null
    cmake --build "$build" --target test_playback --parallel "$(nproc)"
    log=$build/test_playback.log
    if xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/test_playback" >"$log" 2>&1 &&
        ! grep -q -E "ERROR: AddressSanitizer|WARNING: ThreadSanitizer" "$log"; then
        echo "$sanitizer: clean ($(grep -E '^\[  PASSED' "$log"))"
    else
        echo "$sanitizer: reports or failures, see $log"
        status=1
    fi
done
exit "$status"
