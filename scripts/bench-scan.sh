#!/usr/bin/env bash
# Scan benchmark. Builds a generated card of 2,000 recordings (1,000 front/rear pairs in F/
# and R/, small real MP4 files made with the recording maker) plus 200 files that fail the
# name test, warms the page cache, and prints files per second for the catalogue scan, for
# find over the same tree (the floor: listing alone) and for exiftool reading every file's
# embedded data (what a user would otherwise reach for).
# Environment: KESTROLA_BUILD_DIR (default build), SCAN_BENCH_RUNS (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KESTROLA_BUILD_DIR:-build}
runs=${SCAN_BENCH_RUNS:-5}
pairs=1000
rejects=200

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target scan_bench kestrola-recmaker --parallel 2 >/dev/null
bin="$build_dir/bin"

if ! command -v exiftool >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update >/dev/null
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends \
        libimage-exiftool-perl >/dev/null
fi

work=$(mktemp -d /tmp/kestrola-scan-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
card="$work/card"

source scripts/bench-card.sh
make_card_template
make_card "$card" "$pairs" "$rejects"

files=$(find "$card" -type f | wc -l)
find "$card" -type f -exec cat {} + >/dev/null

# Median wall time in seconds of running the command $runs times.
median_seconds() {
    local times=() start end
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        times+=("$((end - start))")
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END { printf "%.4f", v[int((NR + 1) / 2)] / 1e9 }'
}

echo "card: $files files ($((2 * pairs)) recordings, $rejects that fail the name test), median of $runs runs (exiftool: of at most 2)"
scan_report=$("$bin/scan_bench" "$card" "$runs")
echo "$scan_report" | sed 's/^/  scan_bench: /'
scan_s=$(echo "$scan_report" | awk '/^median s/ { print $3 }')
find_s=$(median_seconds find "$card")
# exiftool needs tens of seconds for the card: two runs are enough.
[ "$runs" -gt 2 ] && runs=2
exif_s=$(median_seconds exiftool -ee -n -q -r "$card")

awk -v n="$files" -v scan="$scan_s" -v find="$find_s" -v exif="$exif_s" 'BEGIN {
    printf "%-24s %10s %14s %20s\n", "", "seconds", "files/second", "time / catalogue"
    printf "%-24s %10.4f %14.0f %20s\n", "catalogue scan", scan, n / scan, "1.00"
    printf "%-24s %10.4f %14.0f %20.2f\n", "find (listing only)", find, n / find, find / scan
    printf "%-24s %10.4f %14.0f %20.2f\n", "exiftool -ee -n -q -r", exif, n / exif, exif / scan
}'
