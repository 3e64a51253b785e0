#!/bin/sh
# Installs the Debian packages the project needs, when they are missing.
set -e

packages="cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libpng-dev g++-mingw-w64-i686 binutils-mingw-w64-i686 libfreetype-dev libfontconfig-dev fonts-wine fonts-liberation2 libsdl2-dev libjpeg62-turbo-dev libpixman-1-dev valgrind libgcab-dev libmspack-dev cabextract"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    sudo_cmd=""
    if [ "$(id -u)" != "0" ]; then
        sudo_cmd="sudo"
    fi
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq $missing
fi
