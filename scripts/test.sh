#!/usr/bin/env bash
# Builds everything and runs every test: once in a normal build, once more under
# AddressSanitizer and UndefinedBehaviorSanitizer. Non-zero exit on any failure.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
scripts/deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

echo "== Build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --timeout 600

if command -v dpkg-deb >/dev/null; then
    echo "== Debian package (from the build above)"
    deb="$(scripts/package.sh build | tail -n 1)"
    contents="$(dpkg-deb --contents "$deb")"
    for f in ./usr/bin/kvmanager ./usr/bin/kvtool ./usr/bin/kvsim \
        ./usr/share/applications/kvmanager.desktop \
        ./usr/share/icons/hicolor/scalable/apps/kvmanager.svg \
        ./usr/share/mime/packages/kvmanager.xml \
        ./usr/share/fontconfig/conf.avail/65-kvmanager-ms-gothic.conf \
        ./etc/fonts/conf.d/65-kvmanager-ms-gothic.conf \
        ./usr/share/man/man1/kvtool.1.gz; do
        grep -q " $f\( \|$\)" <<<"$contents" || { echo "missing from $deb: $f"; exit 1; }
    done
    dpkg-deb --field "$deb" Depends | grep -q fonts-noto-cjk || { echo "$deb: no Depends"; exit 1; }
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate resources/desktop/kvmanager.desktop
    fi
fi

echo "== Build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON -DKV_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan -j "$jobs" --timeout 900
