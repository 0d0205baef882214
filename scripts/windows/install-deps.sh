#!/usr/bin/env bash
# Installs what the Windows cross build and its tests under Wine need, and
# no more: the MinGW-w64 compilers, CMake, Ninja, dpkg-dev for the Qt
# source, Qt's host tools, Wine with its fonts (Tahoma among them), a
# virtual display for the Windows platform plugin, zip and unzip for the
# operators' archive, and xdotool to type into the tool from that archive.
set -euo pipefail
packages=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build dpkg-dev
    qt6-base-dev qt6-base-dev-tools
    wine wine64 fonts-wine xvfb xauth
    zip unzip xdotool
)
"$(dirname "$0")/../install-deps.sh" "${packages[@]}"
