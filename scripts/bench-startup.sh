#!/usr/bin/env bash
# Start-up and playing benchmark: builds startup_bench, makes the demo card when it is not
# complete, and starts the program on it five times under Xvfb, each a fresh process. Prints
# the time to the window and to the first picture on each channel, the CPU and memory of the
# program's processes over 60 s of playing, and the front/rear clock offset after it.
# Takes about six minutes. Arguments go to startup_bench (--runs N, --seconds S).
# Environment: KESTROLA_BUILD_DIR (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KESTROLA_BUILD_DIR:-build}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target startup_bench kestrola-recmaker --parallel 2 >/dev/null
KESTROLA_BUILD_DIR=$build_dir bash scripts/make-demo-card.sh demo-card >/dev/null

source scripts/test-env.sh
xvfb-run -a -s "-screen 0 1280x1024x24" "$build_dir/bin/startup_bench" demo-card "$@"
