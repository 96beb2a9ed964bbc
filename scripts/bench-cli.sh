#!/usr/bin/env bash
# kestrola-cli benchmark. Prints wall time and peak memory (GNU time) of
#   - scan on generated cards of 500, 5,000 and 20,000 recordings (small real MP4 files made
#     with the recording maker, front/rear pairs in F/ and R/),
#   - exiftool reading every file's embedded data on the 500 card,
#   - read_ends_floor on each card: one process that reads the first and last 64 KiB of every
#     file, the floor a scan can reach,
#   - track and kml on a 1-hour and a 10-hour recording (a one-second clip under a simulated
#     drive of that length, one point a second, G-sensor at the maker's default rate),
#   - the system calls a file of scan on the 5,000 card, counted by strace -c.
# Environment: KESTROLA_BUILD_DIR (default build); KESTROLA_CLI, a kestrola-cli to measure in
# place of the one built here (for a before/after comparison); BENCH_CLI_WORK, a folder that
# keeps the generated cards and recordings between runs (default: a temporary one).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KESTROLA_BUILD_DIR:-build}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target kestrola-cli kestrola-recmaker read_ends_floor \
    --parallel 2 >/dev/null
bin="$build_dir/bin"
cli=${KESTROLA_CLI:-$bin/kestrola-cli}

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
for tool in exiftool:libimage-exiftool-perl /usr/bin/time:time strace:strace; do
    if ! command -v "${tool%%:*}" >/dev/null; then
        "${sudo_cmd[@]}" apt-get update >/dev/null
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y \
            --no-install-recommends "${tool#*:}" >/dev/null
    fi
done

if [ -n "${BENCH_CLI_WORK:-}" ]; then
    work=$BENCH_CLI_WORK
    mkdir -p "$work"
else
    work=$(mktemp -d /tmp/kestrola-cli-bench.XXXXXX)
    trap 'rm -rf "$work"' EXIT
fi

source scripts/bench-card.sh
make_card_template

# A recording of the given length: a simulated drive along a loop, one point a second.
make_long_recording() {
    local out=$1 seconds=$2
    [ -f "$out" ] && return
    cat >"$work/drive-$seconds.json" <<JSON
{"start": "2024-05-15T08:00:00", "idit": "$template_date", "pointsPerSecond": 1,
 "drive": {"path": [[48.15, 11.58], [48.20, 11.58], [48.20, 11.68], [48.15, 11.68], [48.15, 11.58]],
           "speeds": [[0, 0], [60, 50], [$seconds, 50]], "from": 0, "seconds": $seconds, "alt": 520}}
JSON
    "$bin/kestrola-recmaker" --clip "$work/clip.mp4" --out "$out.part.MP4" \
        --route "$work/drive-$seconds.json"
    mv "$out.part.MP4" "$out"
}

# One table row: wall seconds and peak resident memory of a command (its output discarded;
# a failing command still gets its row).
measure() {
    local label=$1
    shift
    /usr/bin/time -o "$work/time.txt" -f '%e %M' "$@" >/dev/null 2>&1 || true
    tail -1 "$work/time.txt" |
        awk -v label="$label" '{ printf "%-34s %10.2f %12.1f\n", label, $1, $2 / 1024 }'
}

cards=(500 5000 20000)
for n in "${cards[@]}"; do
    make_card "$work/card-$n" "$((n / 2))"
done
make_long_recording "$work/20240515-080000F-1h.MP4" 3600
make_long_recording "$work/20240515-080000F-10h.MP4" 36000
mkdir -p "$work/kml"
# Every file in the page cache, so that the figures are those of the work and not of the disk.
find "$work" -type f -exec cat {} + >/dev/null

echo "kestrola-cli: $cli"
printf "%-34s %10s %12s\n" "" "seconds" "peak MiB"
for n in "${cards[@]}"; do
    measure "scan, $n recordings" "$cli" scan "$work/card-$n"
    measure "read_ends_floor, $n recordings" "$bin/read_ends_floor" "$work/card-$n"
done
measure "exiftool -ee -n -q -r, 500" exiftool -ee -n -q -r "$work/card-500"
for length in 1h 10h; do
    recording="$work/20240515-080000F-$length.MP4"
    measure "track, $length" "$cli" track "$recording"
    measure "kml, $length" "$cli" kml "$recording" --out "$work/kml"
done

# Calls made at least once every ten files; the rest are the start-up of the process.
files=5000
strace -f -c -o "$work/strace.txt" "$cli" scan "$work/card-$files" >/dev/null
echo
echo "system calls a file, scan of the $files card (strace -c)"
awk -v files="$files" '
    $4 !~ /^[0-9]+$/ { next }
    $NF == "total" { printf "  %-16s %6.2f\n", "all calls", $4 / files; next }
    $4 / files >= 0.1 { printf "  %-16s %6.2f\n", $NF, $4 / files }
' "$work/strace.txt"
