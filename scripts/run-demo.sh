#!/usr/bin/env bash
# Builds Kestrola, writes the demo card into demo-card/ when it is not complete yet, and
# opens the main window on it.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${KESTROLA_BUILD_DIR:-build}
card=demo-card

bash scripts/build.sh
KESTROLA_BUILD_DIR=$build_dir bash scripts/make-demo-card.sh "$card"

# Starts the main window on the card. Without a display it runs under Xvfb, saves a
# screenshot of the window after about 8 s of playing and prints where the picture is.
source scripts/test-env.sh
program=$build_dir/bin/kestrola
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$program" "$card"
    exit
fi
shot=${KESTROLA_SCREENSHOT:-$(realpath "$build_dir")/kestrola-demo.png}
# The first recording plays about 2 s after the window shows.
KESTROLA_SETTLE_SECONDS=${KESTROLA_SETTLE_SECONDS:-10} xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash scripts/window-shot.sh "$shot" window "$program" "$card"
echo "$shot"
