#!/usr/bin/env bash
# Remakes the screenshots in docs/screenshots/ under Xvfb: the main window on the demo card
# at 800x560 and 1600x1000 in English, and at 800x560 in Japanese and in Thai; and the window
# at 800x560 after about 8 s of playing the demo card. Language and size come from a Ktr.ini
# in a working folder of each run. Needs the build and the demo card (scripts/run-demo.sh
# makes both).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${KESTROLA_BUILD_DIR:-build}
program=$(realpath "$build_dir/bin/kestrola")
card=$(realpath "${KESTROLA_CARD:-demo-card}")
out=$(realpath docs/screenshots)
shooter=$PWD/scripts/window-shot.sh
source scripts/test-env.sh

work=$(mktemp -d /tmp/kestrola-shots.XXXXXX)
trap 'rm -rf -- "$work"' EXIT

# shot NAME LANGID WIDTH HEIGHT [SETTLE_SECONDS]
shot() {
    local dir=$work/$1
    mkdir -p "$dir"
    printf '[UI]\nLANGID=%s\n[WINPOS]\nLEFT=0\nTOP=0\nRIGHT=%d\nBOTTOM=%d\n' \
        "$2" "$3" "$4" >"$dir/Ktr.ini"
    (cd "$dir" && KESTROLA_SETTLE_SECONDS=${5:-4} xvfb-run -a -s "-screen 0 1920x1200x24" \
        bash "$shooter" "$out/$1.png" "$3x$4" "$program" "$card")
    echo "$out/$1.png"
}

shot window-800x560-en ENG 800 560
shot window-1600x1000-en ENG 1600 1000
shot window-800x560-ja JPN 800 560
shot window-800x560-th GER 800 560
shot playing-demo-card ENG 800 560 10
