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

echo "== Build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON -DKV_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan -j "$jobs" --timeout 900
