#!/usr/bin/env bash
# kestrola-cli benchmark. Prints wall time and peak memory (GNU time) of
#   - scan on generated cards of 500, 5,000 and 20,000 recordings (small real MP4 files made
#     with the recording maker, front/rear pairs in F/ and R/),
#   - exiftool reading every file's embedded data on the 500 card,
#   - read_ends_floor on each card: one process that reads the first and last 64 KiB of every
#     file, the floor a scan can reach,
#   - track and kml on a 1-hour and a 10-hour recording (a one-second clip under a simulated
#     drive of that length, one point a second, G-sensor at the maker's default rate).
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
for tool in exiftool:libimage-exiftool-perl /usr/bin/time:time; do
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

template_date="2024-05-15 08:00:00"
[ -f "$work/clip.mp4" ] || ffmpeg -v error -f lavfi -i testsrc2=size=320x240:rate=10 -t 1 \
    -c:v libx264 -pix_fmt yuv420p "$work/clip.mp4"
if [ ! -f "$work/template.MP4" ]; then
    cat >"$work/route.json" <<JSON
{"idit": "$template_date", "pointsPerSecond": 1,
 "points": [{"lat": 48.15, "lon": 11.58, "speed": 40, "heading": 17, "fix": true, "alt": 520}],
 "gsensorCounts": [[1, 2, 3], [4, 5, 6]]}
JSON
    "$bin/kestrola-recmaker" --clip "$work/clip.mp4" --out "$work/template.MP4" \
        --route "$work/route.json"
fi

# A card of the given number of recordings: pair i starts one minute after pair i-1, and its
# names and IDIT texts carry that time.
make_card() {
    local card=$1 recordings=$2
    [ -d "$card" ] && return
    perl -MPOSIX=strftime,mktime -e '
        my ($template, $card, $date, $pairs) = @ARGV;
        open(my $in, "<:raw", $template) or die "$template: $!";
        my $bytes = do { local $/; <$in> };
        my $at = index($bytes, $date);
        die "no IDIT text in the template\n" if $at < 0;
        mkdir "$card.part"; mkdir "$card.part/F"; mkdir "$card.part/R";
        my $base = mktime(0, 0, 8, 15, 4, 124);
        sub put { my ($path, $data) = @_;
                  open(my $out, ">:raw", $path) or die "$path: $!"; print $out $data; close $out; }
        for my $i (0 .. $pairs - 1) {
            my @t = localtime($base + 60 * $i);
            my $idit = strftime("%Y-%m-%d %H:%M:%S", @t);
            my $stem = strftime("%Y%m%d-%H%M%S", @t);
            substr($bytes, $at, length $idit) = $idit;
            put("$card.part/F/${stem}F.MP4", $bytes);
            put("$card.part/R/${stem}R.MP4", $bytes);
        }
        rename("$card.part", $card) or die "$card: $!";
    ' "$work/template.MP4" "$card" "$template_date" "$((recordings / 2))"
}

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
    make_card "$work/card-$n" "$n"
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
