#!/usr/bin/env bash
# Track reader benchmark. Makes a folder of camera recordings (H.264 clips from ffmpeg with
# GPS and G-sensor data written in by the recording maker, half MP4 and half AVI), warms the
# page cache, and prints files per second for the readers and for `ffprobe -v error` over
# the same files, and their ratio, per second of wall time and of processor time.
# Environment: KESTROLA_BUILD_DIR (default build), READERS_BENCH_COPIES (default 200 per kind).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KESTROLA_BUILD_DIR:-build}
copies=${READERS_BENCH_COPIES:-200}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target readers_bench kestrola-recmaker --parallel 2 >/dev/null
bin="$build_dir/bin"

work=$(mktemp -d /tmp/kestrola-readers-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
card="$work/card"
mkdir -p "$card"

cat >"$work/route.json" <<JSON
{"start": "2024-05-15T08:15:00", "pointsPerSecond": 1, "gsensorRateCode": 25, "fullScale": 4,
 "drive": {"path": [[48.15, 11.58], [48.16, 11.60]], "speeds": [[0, 40], [20, 60]],
           "from": 0, "seconds": 20, "alt": 520}}
JSON
for kind in mp4 avi; do
    ffmpeg -v error -f lavfi -i testsrc2=size=640x360:rate=25 -t 20 \
        -c:v libx264 -preset ultrafast -pix_fmt yuv420p "$work/clip.$kind"
    upper=${kind^^}
    "$bin/kestrola-recmaker" --clip "$work/clip.$kind" --out "$work/template.$upper" \
        --route "$work/route.json"
    for i in $(seq -w 1 "$copies"); do
        cp "$work/template.$upper" "$card/0515_0815${i}_F.$upper"
    done
done
files=$(find "$card" -type f | wc -l)
echo "folder: $files recordings, $(du -sh "$card" | cut -f1)"
cat "$card"/* >/dev/null # warm the page cache

readers_line=$("$bin/readers_bench" "$card" 3)
echo "$readers_line"
readers_wall=$(sed -E 's/.*wall [0-9.]+ s = ([0-9.]+) files\/s.*/\1/' <<<"$readers_line")
readers_cpu=$(sed -E 's/.*cpu [0-9.]+ s = ([0-9.]+) files\/s.*/\1/' <<<"$readers_line")

# Wall, user and system seconds of the whole ffprobe loop, one process per file.
TIMEFORMAT='%R %U %S'
ffprobe_times=$( { time (for f in "$card"/*; do ffprobe -v error "$f"; done) ; } 2>&1 )
read -r wall user sys <<<"$ffprobe_times"
awk -v files="$files" -v wall="$wall" -v cpu="$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')" \
    -v rwall="$readers_wall" -v rcpu="$readers_cpu" 'BEGIN {
    printf "ffprobe -v error: %d files, wall %.3f s = %.0f files/s, cpu %.3f s = %.0f files/s\n",
        files, wall, files / wall, cpu, files / cpu
    printf "ratio readers / ffprobe: wall %.0f, cpu %.0f\n", rwall / (files / wall), rcpu / (files / cpu)
}'
