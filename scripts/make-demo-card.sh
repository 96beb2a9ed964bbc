#!/usr/bin/env bash
# Writes a demo memory card into DIR (default: demo-card/ in the repository): three consecutive 20-second
# recordings of one drive northbound on Ludwigstrasse and Leopoldstrasse in Munich, each a
# front file in F/ and a rear file in R/, named as the camera names them. Real H.264 at
# 1280x720 with the date and time burned in, GPS at 1 point/s, G-sensor at 50 samples/s
# (full scale 4 g). The third recording holds a hard braking and carries the camera's lock
# ("G" as the fourth character of its name).
#
# Needs kestrola-recmaker: $KESTROLA_RECMAKER, or the build in ${KESTROLA_BUILD_DIR:-build}
# (built here when missing). Files that already exist are kept, so a complete card costs
# nothing and an interrupted run picks up where it stopped.
set -euo pipefail

# Paths given by the caller are taken from where the caller stands.
card=$(realpath -m "${1:-$(dirname "$0")/../demo-card}")
[ -z "${KESTROLA_RECMAKER:-}" ] || KESTROLA_RECMAKER=$(realpath -m "$KESTROLA_RECMAKER")
cd "$(dirname "$0")/.."
build_dir=${KESTROLA_BUILD_DIR:-build}
recmaker=${KESTROLA_RECMAKER:-$build_dir/bin/kestrola-recmaker}

drive_start="2024-05-15 08:15:00" # local time of the first point of the drive
recording_seconds=20
frame_rate=25
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# Name prefix, offset into the drive (s), and the name's date-time part of each recording.
recordings=(
    "KTR_ 0 240515-081500"
    "KTR_ 20 240515-081520"
    "KTRG 40 240515-081540"
)

complete=1
for r in "${recordings[@]}"; do
    read -r prefix _ stamp <<<"$r"
    for channel in F R; do
        [ -f "$card/$channel/$prefix$stamp$channel.MP4" ] || complete=0
    done
done
if ((complete)); then
    echo "demo card complete in $card"
    exit 0
fi

if [ ! -x "$recmaker" ]; then
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build_dir" --target kestrola-recmaker --parallel 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$card/F" "$card/R"

# The burned-in clock reads the recording's local time: ffmpeg prints pts + epoch as UTC, so
# the epoch is the local start time taken as if it were UTC. Without the font, the front
# picture falls back to testsrc, whose own counter runs in its corner.
clip() { # out pattern label epoch colour
    local source="$2" text="" position
    if [ -f "$font" ]; then
        [ "$3" = FRONT ] && position="x=40:y=h-th-40" || position="x=(w-tw)/2:y=40"
        text=",drawtext=fontfile=$font:text='$3  %{pts\\:gmtime\\:$4}':$position"
        text+=":fontsize=44:fontcolor=$5:box=1:boxcolor=black@0.6:boxborderw=12"
    elif [ "$source" = testsrc2 ]; then
        source=testsrc
    fi
    ffmpeg -nostdin -v error -y -f lavfi \
        -i "$source=size=1280x720:rate=$frame_rate:duration=$recording_seconds$text" \
        -c:v libx264 -preset ultrafast -crf 30 -g "$frame_rate" -pix_fmt yuv420p -threads 2 \
        "$1"
}

for r in "${recordings[@]}"; do
    read -r prefix from stamp <<<"$r"
    start=$(date -d "$drive_start $from seconds" +"%Y-%m-%d %H:%M:%S")
    epoch=$(date -u -d "$start" +%s)
    route="$work/$stamp.json"
    # Corners of the road and the speed over the whole drive; each recording is cut from it.
    cat >"$route" <<EOF
{
    "start": "${drive_start/ /T}",
    "pointsPerSecond": 1,
    "gsensorRateCode": 25,
    "fullScale": 4,
    "drive": {
        "path": [[48.14900, 11.58030], [48.15050, 11.58100], [48.15240, 11.58200],
                 [48.15470, 11.58310], [48.15690, 11.58420], [48.15890, 11.58510],
                 [48.16170, 11.58630]],
        "speeds": [[0, 30], [6, 48], [18, 50], [24, 38], [28, 45], [40, 52], [46, 52],
                   [47.5, 8], [52, 8], [60, 30]],
        "from": $from,
        "seconds": $recording_seconds,
        "alt": 519
    }
}
EOF
    for channel in F R; do
        out="$card/$channel/$prefix$stamp$channel.MP4"
        [ -f "$out" ] && continue
        if [ "$channel" = F ]; then
            clip "$work/$stamp$channel.mp4" testsrc2 FRONT "$epoch" white
        else
            clip "$work/$stamp$channel.mp4" smptehdbars REAR "$epoch" yellow
        fi
        "$recmaker" --clip "$work/$stamp$channel.mp4" --out "$out" --route "$route"
        echo "wrote $out ($start)"
    done
done
