#!/bin/sh
# Sets up a fresh machine, builds everything and runs the whole test suite:
# the normal build, the sanitizer build (ASan + UBSan), and the conformance
# build of the system's sources against the real Windows headers.
set -e
cd "$(dirname "$0")/.."

sh tools/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C build -j2
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON
ninja -C build-asan -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions="$(pwd)/tools/lsan-suppressions.txt" \
    ctest --test-dir build-asan --output-on-failure -j2

sh tools/conformance.sh
