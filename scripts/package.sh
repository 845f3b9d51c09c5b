#!/usr/bin/env bash
# Builds the Debian package kvmanager_VERSION_ARCH.deb with CPack.
#   scripts/package.sh [BUILD_DIR]
# BUILD_DIR (default build-release, the run script's) is reused when it is
# configured already, so the package costs no second build of the programs.
# Install it with: sudo apt install ./kvmanager_*.deb
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
build="${1:-build-release}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    scripts/deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target kvmanager kvtool kvsim kvtool_man
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/kvmanager_*.deb
