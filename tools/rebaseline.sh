#!/bin/sh
# Regenerates the golden screenshots on purpose: rebuilds, then runs every
# scenario script that compares the screen (a "match" line) with devsim
# --rebaseline, so that each match writes its golden instead of comparing.
# Lists the goldens that changed; look at every one before committing it.
#   sh tools/rebaseline.sh [BUILD_DIR]      (default: build)
set -e
cd "$(dirname "$0")/.."
build=${1:-build}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" -j2
# The cmake -P helpers glob the image, which takes an absolute path.
build=$(cd "$build" && pwd)

work="$build/rebaseline"
rm -rf "$work"
mkdir -p "$work"
failed=""
for script in tests/scenarios/*.devsim; do
    grep -q '^[[:blank:]]*match[[:blank:]]' "$script" || continue
    name=$(basename "$script" .devsim)
    # A first line "# profile: NAME" picks the device, as in the test suite.
    profile=$(sed -n '1s/^# profile: *\([^ ]*\).*$/\1/p' "$script")
    # A line "# settings: KEY=VALUE ..." starts it with those settings.
    settings=$(sed -n 's/^# settings: *//p' "$script" | head -n 1 | tr ' ' ';')
    echo "rebaseline: $name (${profile:-qvga})"
    if [ -n "$settings" ]; then
        cmake -DDEVSIM="$build/sim/devsim" -DIMAGE="$build/device-image" -DROOT="$work/$name.root" \
            "-DSETTINGS=$settings" -DPROFILE="${profile:-qvga}" -DSCRIPT="$script" -DSHOTS="$work/$name.shots" \
            -DLOG="$work/$name.log" -DEXTRA=--rebaseline -P tests/scenarios/with_settings.cmake || failed="$failed $name"
    elif ! "$build/sim/devsim" --root "$work/$name.root" --reset --profile "${profile:-qvga}" --script "$script" \
        --shots "$work/$name.shots" --log "$work/$name.log" --rebaseline; then
        failed="$failed $name"
    fi
done

# The shell's Today screen with its test item installed.
echo "rebaseline: today_host (qvga)"
cmake -DDEVSIM="$build/sim/devsim" -DIMAGE="$build/device-image" -DITEM="$build/sim/shell/today_test_item.so" \
    -DHIVE=sim/shell/tests/today_items.reg -DROOT="$work/today_host.root" -DSCRIPT="$PWD/sim/shell/tests/today_host.devsim" \
    -DSHOTS="$work/today_host.shots" -DLOG="$work/today_host.log" -DEXTRA=--rebaseline \
    -P sim/shell/tests/today_scenario.cmake || failed="$failed today_host"

# The setup wizard's message without the application manager.
echo "rebaseline: pcsetup no_manager (desktop)"
cmake -DDEVSIM="$build/sim/devsim" -DWORK="$work/pcsetup_no_manager" -DCASE=no_manager \
    -DSCRIPTS="$PWD/setup/desktop/tests" -DREBASELINE=ON -P setup/desktop/tests/pcsetup_desktop_run.cmake ||
    failed="$failed pcsetup_no_manager"

echo
echo "Goldens that changed (git status):"
git status --short -- tests/scenarios/golden sim/shell/tests/golden setup/desktop/tests/golden
echo "Look at each of them (any PNG viewer) before you commit it: a golden is only"
echo "as right as the person who looked at it."
if [ -n "$failed" ]; then
    echo "These scripts failed, their goldens may be incomplete:$failed (logs in $work)" >&2
    exit 1
fi
