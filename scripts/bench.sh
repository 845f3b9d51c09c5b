#!/usr/bin/env bash
# Builds a release build and runs every benchmark of bench/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "$(nproc)"
for b in build-bench/bench/*_bench; do
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=offscreen "$b" "$@"
done
