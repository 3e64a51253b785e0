#!/bin/sh
# Sets up a fresh machine, builds, and runs the main job: the device
# simulator on its default device (qvga), booted from the device image the
# build makes, playing the demonstration script. The event log goes to the
# terminal and build/demo-events.log, the window list to
# build/demo-windows.txt. Extra arguments go to devsim, e.g.
#   sh tools/run.sh --profile vga
set -e
cd "$(dirname "$0")/.."

sh tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C build -j2
./build/sim/devsim --root build/devroot --reset --script tools/demo.devsim --log build/demo-events.log "$@"
cat build/demo-events.log
echo "Event log: build/demo-events.log; windows: build/demo-windows.txt; device root: build/devroot"
