#!/usr/bin/env bash
# Draws every picture of res/art at twice its size on one labelled dark sheet and writes it to
# docs/screenshots/artwork.png (or the path given), for looking the artwork over.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KESTROLA_BUILD_DIR:-build}
out=${1:-docs/screenshots/artwork.png}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target kestrola-artsheet
mkdir -p "$(dirname "$out")"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build_dir/bin/kestrola-artsheet" res/art "$out" 2
echo "$out"
