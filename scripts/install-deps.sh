#!/usr/bin/env bash
# Installs what building, running and testing the tool need on Debian 12,
# or the packages named as arguments (the Windows leg's own list).
# Does nothing when everything is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-base-dev-tools libgl-dev
    # The tool brings its own fonts. The tests render the windows once more
    # with DejaVu as the only system font, as on a minimal machine.
    fontconfig fonts-dejavu-core
    # A virtual display, for running the tool on a machine without a screen.
    xvfb xauth
    # The manual page's test renders it and checks it for warnings.
    groff man-db
)
[ $# -gt 0 ] && packages=("$@")

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
