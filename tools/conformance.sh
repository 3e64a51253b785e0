#!/bin/sh
# Compiles every source file of the system (not the platform's own
# implementation) with the 32-bit Windows cross compiler against the real
# Windows headers, syntax only, and checks the device's record layouts.
set -e
cd "$(dirname "$0")/.."

compiler=i686-w64-mingw32-g++
flags="-std=c++17 -fsyntax-only -Wall -Iplatform/include -I."
# The device programs are 16-bit text programs; the desktop installer and
# its uninstaller (setup/desktop) are desktop programs with 8-bit text.
unicode="-DUNICODE -D_UNICODE"

# The ordinal export table stands in, on the host, for the device build's
# .def file, so it is no Win32 code.
sources=$(find app status settings graphics tasks ui today setup platform/conformance \
    -name '*.cpp' -not -path '*/tests/*' -not -name ordinal_exports.cpp 2>/dev/null | sort)

failed=0
count=0
for source in $sources; do
    count=$((count + 1))
    case "$source" in
    setup/desktop/*) text="" ;;
    *) text="$unicode" ;;
    esac
    if ! $compiler $flags $text "$source"; then
        echo "conformance: $source does not compile as Win32/CE code"
        failed=$((failed + 1))
    fi
done
echo "conformance: $count files, $failed failed"
[ "$failed" -eq 0 ]
