# Sourced by the benchmarks that scan generated cards. Needs $bin (the built binaries) and
# $work (a scratch folder); the clip and the template are made once per $work.
template_date="2024-05-15 08:00:00"

# One short clip and one recording; every file of a card is a copy of the recording with its
# own date.
make_card_template() {
    [ -f "$work/clip.mp4" ] || ffmpeg -v error -f lavfi -i testsrc2=size=320x240:rate=10 -t 1 \
        -c:v libx264 -pix_fmt yuv420p "$work/clip.mp4"
    [ -f "$work/template.MP4" ] && return
    cat >"$work/route.json" <<JSON
{"idit": "$template_date", "pointsPerSecond": 1,
 "points": [{"lat": 48.15, "lon": 11.58, "speed": 40, "heading": 17, "fix": true, "alt": 520}],
 "gsensorCounts": [[1, 2, 3], [4, 5, 6]]}
JSON
    "$bin/kestrola-recmaker" --clip "$work/clip.mp4" --out "$work/template.MP4" \
        --route "$work/route.json"
}

# make_card CARD PAIRS [REJECTS]: front/rear pairs in F/ and R/, pair i starting one minute
# after pair i-1 (its names and IDIT texts carry that time), plus REJECTS files that fail the
# name test. A card already there is kept.
make_card() {
    local card=$1 pairs=$2 rejects=${3:-0}
    [ -d "$card" ] && return
    perl -MPOSIX=strftime,mktime -e '
        my ($template, $card, $date, $pairs, $rejects) = @ARGV;
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
        for my $i (0 .. $rejects - 1) {
            my $side = $i % 2 ? "R" : "F";
            put(sprintf("%s.part/%s/thumb%04d.jpg", $card, $side, $i), "\xff\xd8\xff\xd9");
        }
        rename("$card.part", $card) or die "$card: $!";
    ' "$work/template.MP4" "$card" "$template_date" "$pairs" "$rejects"
}
