#!/usr/bin/env bash
# Builds Kestrola, writes the demo card into demo-card/ when it is not complete yet, and
# shows what Kestrola reads from it.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${KESTROLA_BUILD_DIR:-build}
card=demo-card

bash scripts/build.sh
KESTROLA_BUILD_DIR=$build_dir bash scripts/make-demo-card.sh "$card"

mapfile -t recordings < <(find "$card" -type f \( -name '*.MP4' -o -name '*.AVI' \) | sort)

# What "showing the card" means. Until the player's main window exists, it prints what the
# embedded-track reader finds in each recording. When the window lands, this function is the
# one place to change: source scripts/test-env.sh and start the program on "$card".
show_card() {
    local cli=$build_dir/bin/kestrola-cli status=0 file
    for file in "${recordings[@]}"; do
        echo "== $file"
        "$cli" probe "$file" || status=$?
    done
    return "$status"
}

show_card
