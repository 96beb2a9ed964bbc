#!/usr/bin/env bash
# Front/rear offset as seen on screen: builds sync_bench and plays a card whose frames carry
# their numbers in the real main window under Xvfb, reading both surfaces from one screenshot
# every 40 ms. Prints p50, p95 and max of |front - rear| per scenario (1x, 0.3x, 2x, 4x, after
# seeks, after pause/resume, after the move to the next recording), the CPU and memory during
# the 60 s at 1x, and the machine's cores and load. Takes about five minutes, plus a few to make
# the card the first time (kept in the build folder). Arguments go to sync_bench (--rejects FOLDER).
# Environment: KESTROLA_BUILD_DIR (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KESTROLA_BUILD_DIR:-build}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target sync_bench --parallel 2 >/dev/null

source scripts/test-env.sh
xvfb-run -a -s "-screen 0 1280x1024x24" "$build_dir/bin/sync_bench" "$build_dir/sync-card" "$@"
