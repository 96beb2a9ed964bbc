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
# screenshot after the window has drawn and prints where the picture is.
source scripts/test-env.sh
program=$build_dir/bin/kestrola
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$program" "$card"
    exit
fi
shot=${KESTROLA_SCREENSHOT:-$(realpath "$build_dir")/kestrola-demo.png}
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash scripts/window-shot.sh "$shot" 1280x1024 "$program" "$card"
echo "$shot"
