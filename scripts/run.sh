#!/usr/bin/env bash
# Builds a release build and starts ＫＶマネージャー.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)" --target kvmanager kvsim kvtool
exec build-release/src/app/kvmanager "$@"
