#!/usr/bin/env bash
# Builds Kestrola and runs the whole test suite; the tests that need a display run
# inside their own Xvfb server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/test-env.sh
build_dir=${KESTROLA_BUILD_DIR:-build}
cd "$build_dir"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --output-on-failure --timeout 600 "$@"
