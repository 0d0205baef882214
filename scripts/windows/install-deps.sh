#!/usr/bin/env bash
# Installs what the Windows cross build and its tests under Wine need, and
# no more: the MinGW-w64 compilers, CMake, Ninja, dpkg-dev for the Qt
# source, Qt's host tools, Wine with its fonts (Tahoma among them), and a
# virtual display for the Windows platform plugin.
set -euo pipefail
packages=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build dpkg-dev
    qt6-base-dev qt6-base-dev-tools
    wine wine64 fonts-wine xvfb xauth
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
