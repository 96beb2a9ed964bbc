#!/usr/bin/env bash
# Usage: window-shot.sh OUT.png WIDTHxHEIGHT|window PROGRAM [ARGUMENTS...]
# Run on an X display (e.g. under xvfb-run): starts PROGRAM, waits until its window is
# mapped, gives it KESTROLA_SETTLE_SECONDS (default 4) to draw its map page and to start
# playing, saves the top-left WIDTHxHEIGHT of the screen (or, with "window", the window's own
# rectangle) to OUT.png and ends the program.
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
# The map page and the curve draw after the window first shows; the first recording starts
# playing a second or two later.
sleep "${KESTROLA_SETTLE_SECONDS:-4}"
crop="${size}+0+0"
if [ "$size" = window ]; then
    # The toolkit keeps small helper windows under the same name; the main window is the
    # largest. Tree lines end in "WxH+X+Y  +ABSX+ABSY".
    crop=$(xwininfo -root -tree | awk '/"Kestrola"/ {
        split($(NF-1), g, /[x+]/); split($NF, a, "+")
        if (g[1] * g[2] > best) { best = g[1] * g[2]; crop = g[1] "x" g[2] "+" a[2] "+" a[3] }
    } END { print crop }')
fi
import -window root -crop "$crop" +repage "$out"
