#!/usr/bin/env bash
# Fuzzes the data-file loader with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer. Not part of the build or the test run.
#   scripts/fuzz.sh [SECONDS]        (default 600)
# Crashing inputs are kept in $KV_FUZZ_DIR (default build-fuzz/) as crash-*.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-600}"
out="${KV_FUZZ_DIR:-$root/build-fuzz}"
mkdir -p "$out/corpus"

cxx="${CXX_FUZZ:-clang++}"
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root/src")
sources=()
for f in base/sort_keys base/cp932 base/datetime base/kv_assert datafile/csv_line datafile/line_reader \
         datafile/data_file_loader datafile/data_set datafile/graph_scale datafile/wave_order; do
    sources+=("$root/src/$f.cpp")
done

"$cxx" "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    "$root/fuzz/loader_fuzz.cpp" "${sources[@]}" -o "$out/loader_fuzz"
"$cxx" "${flags[@]}" -I"$root/tests/datafile" "$root/fuzz/make_seeds.cpp" \
    "$root/src/base/cp932.cpp" "$root/src/base/datetime.cpp" -o "$out/make_seeds"
"$out/make_seeds" "$out/corpus"

cd "$out"
./loader_fuzz -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -dict="$root/fuzz/loader.dict" -print_final_stats=1 corpus
