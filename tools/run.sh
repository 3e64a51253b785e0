#!/bin/sh
# Sets up a fresh machine, builds, and runs the main job.
#
# The device simulator that runs the programs is not built yet; until it is,
# this builds everything and prepares the device image that it will boot:
# build/device-image holds the device's file system with the shipped files.
set -e
cd "$(dirname "$0")/.."

sh tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C build -j2
echo "Device image ready in build/device-image."
echo "The simulator (devsim) that boots it is not part of the build yet."
