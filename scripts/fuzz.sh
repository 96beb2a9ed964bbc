#!/usr/bin/env bash
# Builds the fuzz targets (track readers, settings file, folder scan, KML and map exports) with
# clang (ASan + UBSan) into ./build-fuzz and runs each for SECONDS (default 60), one after
# another on one core; KESTROLA_FUZZ_TARGETS="ini scan" runs only those. The corpora grow in
# fuzz-corpus/<target>/ (started from a few valid inputs); crashing inputs land in
# fuzz-artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build_dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTROLA_FUZZ=ON -DKESTROLA_GUI=OFF >/dev/null
cmake --build "$build_dir" --parallel 2 --target fuzz_mp4 fuzz_avi fuzz_nmea fuzz_ini fuzz_scan \
    fuzz_export fuzz_seeds
status=0
for target in ${KESTROLA_FUZZ_TARGETS:-mp4 avi nmea ini scan export}; do
    corpus=fuzz-corpus/$target
    artifacts=fuzz-artifacts/$target
    mkdir -p "$corpus" "$artifacts"
    if [ -z "$(ls -A "$corpus")" ]; then
        "$build_dir/bin/fuzz_seeds" "$target" "$corpus"
    fi
    echo "== fuzz_$target for ${seconds}s"
    "$build_dir/bin/fuzz_$target" -max_total_time="$seconds" -max_len=16384 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" || status=1
    echo "== fuzz_$target corpus: $(ls "$corpus" | wc -l) files"
done
exit $status
