#!/bin/sh
# Sets up a fresh machine, builds, and runs the main job: the device
# simulator on its default device (qvga), booted from the device image the
# build makes.
#
# With a display (DISPLAY or WAYLAND_DISPLAY set) the device opens in a
# window with Quib Monitor started: the mouse is the stylus, the keyboard the
# device's keys (devsim prints the keys at start; the Start flag's menu
# starts Quib Monitor again); closing the window ends it. Without one it
# plays the demonstration script headless: the event log goes to the
# terminal and build/demo-events.log, the window list to
# build/demo-windows.txt, the screenshots to build/demo-shots/.
# Extra arguments go to devsim, e.g.
#   sh tools/run.sh --profile vga
set -e
cd "$(dirname "$0")/.."

sh tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C build -j2

if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
    # --start takes the rest of the command line, so it comes last.
    ./build/sim/devsim --root build/devroot --reset "$@" --start "\\Program Files\\Quib Monitor\\quibmonitor.exe"
    exit
fi
rm -rf build/demo-shots
mkdir -p build/demo-shots
./build/sim/devsim --root build/devroot --reset --script tools/demo.devsim --log build/demo-events.log \
    --shots build/demo-shots "$@"
cat build/demo-events.log
echo "Event log: build/demo-events.log; windows: build/demo-windows.txt; screenshots: build/demo-shots/;" \
    "device root: build/devroot"
