#!/usr/bin/env bash
# Usage: install-check.sh BUILD_DIR SOURCE_DIR
# Installs the build into a temporary prefix, validates the desktop entry and the AppStream
# metainfo, and starts the installed program on the demo card under the X display it is given
# (DISPLAY): its window has to map and its map pane has to show the installed OpenStreetMap page, the one a start without
# map keys shows.
set -euo pipefail

build=$(realpath "$1")
source_dir=$(realpath "$2")
app_id=org.kestrola.Kestrola
wait_steps=150 # of 0.2 s

work=$(mktemp -d)
pid=
cleanup() {
    [ -z "$pid" ] || { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT
source "$source_dir/scripts/test-env.sh"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

missing=0
for file in bin/kestrola bin/kestrola-cli share/kestrola/gmap.html share/kestrola/BMap.html \
    share/kestrola/osm.html share/kestrola/leaflet/leaflet.js \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/icons/hicolor/scalable/apps/kestrola.svg share/icons/hicolor/48x48/apps/kestrola.png; do
    [ -f "$prefix/$file" ] || { echo "not installed: $file"; missing=1; }
done
((missing == 0))
if [ -e "$prefix/share/kestrola/map-keys.js" ]; then
    echo "the deployer's map-keys.js was installed"
    exit 1
fi

desktop-file-validate "$prefix/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"

card=$build/demo-card
KESTROLA_BUILD_DIR=$build KESTROLA_RECMAKER=$build/bin/kestrola-recmaker \
    bash "$source_dir/scripts/make-demo-card.sh" "$card" >/dev/null

# Started as from the desktop menu: in a folder without settings, with homes of its own. The
# web engine's debugging server tells which page the map pane shows.
port=$((20000 + RANDOM % 20000))
mkdir "$work/start"
(cd "$work/start" && XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
    XDG_CACHE_HOME=$work/cache QTWEBENGINE_REMOTE_DEBUGGING=127.0.0.1:$port \
    exec "$prefix/bin/kestrola" "$card") >"$work/program.log" 2>&1 &
pid=$!

window_mapped() {
    local id
    for id in $(xwininfo -root -tree | awk '/^     0x[0-9a-f]+ "Kestrola"/ { print $1 }'); do
        xwininfo -id "$id" | grep -q "Map State: IsViewable" && return 0
    done
    return 1
}

page_shown() {
    curl -sf "http://127.0.0.1:$port/json/list" >"$work/pages.json" 2>/dev/null || return 1
    python3 - "$work/pages.json" "file://$prefix/share/kestrola/osm.html" <<'PY'
import json, sys
pages = json.load(open(sys.argv[1]))
sys.exit(0 if any(p.get("url", "").split("?")[0] == sys.argv[2] and p.get("title") == "OpenStreetMap"
                  for p in pages) else 1)
PY
}

for check in window_mapped page_shown; do
    for ((step = 0; ; ++step)); do
        "$check" && break
        if ! kill -0 "$pid" 2>/dev/null || ((step == wait_steps)); then
            echo "installed program: $check failed; its output:"
            tail -20 "$work/program.log"
            [ ! -f "$work/pages.json" ] || cat "$work/pages.json"
            exit 1
        fi
        sleep 0.2
    done
done
if [ -e "$work/start/Ktr.ini" ]; then
    echo "the program wrote a settings file into the folder it was started in"
    exit 1
fi
echo "installed program shows its window and its map page"
