#!/usr/bin/env bash
# Usage: window-shot.sh OUT.png WIDTHxHEIGHT PROGRAM [ARGUMENTS...]
# Run on an X display (e.g. under xvfb-run): starts PROGRAM, waits until its window is
# mapped and has had time to draw its map page, saves the top-left WIDTHxHEIGHT of the
# screen to OUT.png and ends the program.
set -euo pipefail

out=$1 size=$2
shift 2

"$@" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

# The window's title is its name on the X server.
for _ in $(seq 1 100); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Kestrola"'; then
        break
    fi
    kill -0 "$pid" 2>/dev/null || { echo "window-shot: the program ended early" >&2; exit 1; }
    sleep 0.2
done
# The map page and the curve draw after the window first shows.
sleep "${KESTROLA_SETTLE_SECONDS:-4}"
import -window root -crop "${size}+0+0" +repage "$out"
