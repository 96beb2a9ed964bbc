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

# One short clip and one recording; every file of the card is a copy with its own date.
template_date="2024-05-15 08:00:00"
ffmpeg -v error -f lavfi -i testsrc2=size=320x240:rate=10 -t 1 \
    -c:v libx264 -pix_fmt yuv420p "$work/clip.mp4"
cat >"$work/route.json" <<JSON
{"idit": "$template_date", "pointsPerSecond": 1,
 "points": [{"lat": 48.15, "lon": 11.58, "speed": 40, "heading": 17, "fix": true, "alt": 520}],
 "gsensorCounts": [[1, 2, 3], [4, 5, 6]]}
JSON
"$bin/kestrola-recmaker" --clip "$work/clip.mp4" --out "$work/template.MP4" \
    --route "$work/route.json"

# Pair i starts one minute after pair i-1; its name and its IDIT text carry that time.
perl -MPOSIX=strftime,mktime -e '
    my ($template, $card, $date, $pairs, $rejects) = @ARGV;
    open(my $in, "<:raw", $template) or die "$template: $!";
    my $bytes = do { local $/; <$in> };
    my $at = index($bytes, $date);
    die "no IDIT text in the template\n" if $at < 0;
    mkdir "$card"; mkdir "$card/F"; mkdir "$card/R";
    my $base = mktime(0, 0, 8, 15, 4, 124);
    sub put { my ($path, $data) = @_;
              open(my $out, ">:raw", $path) or die "$path: $!"; print $out $data; close $out; }
    for my $i (0 .. $pairs - 1) {
        my @t = localtime($base + 60 * $i);
        my $idit = strftime("%Y-%m-%d %H:%M:%S", @t);
        my $stem = strftime("%Y%m%d-%H%M%S", @t);
        substr($bytes, $at, length $idit) = $idit;
        put("$card/F/${stem}F.MP4", $bytes);
        put("$card/R/${stem}R.MP4", $bytes);
    }
    for my $i (0 .. $rejects - 1) {
        my $side = $i % 2 ? "R" : "F";
        put(sprintf("%s/%s/thumb%04d.jpg", $card, $side, $i), "\xff\xd8\xff\xd9");
    }
' "$work/template.MP4" "$card" "$template_date" "$pairs" "$rejects"

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
