#!/usr/bin/env bash
# Builds Qt's base module for 64-bit Windows with Debian's MinGW-w64 cross
# compiler, once per machine, into a cache outside the checkout:
#
#   scripts/windows/build-qt.sh
#
# The source is Debian's own qt6-base package, the same Qt the Linux build
# uses, so both platforms run the same toolkit. Only what the tool and its
# tests need is built: Core, Gui, Widgets, Test, the Windows and offscreen
# platforms and the Windows styles. The cache counts only once the marker
# written after a complete install is in it. Prints the cache's folder on
# standard output; everything else goes to standard error.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/../.." && pwd)
source "$checkout/scripts/windows/settings.sh"

marker="$KVX_QT_WINDOWS/.installed"
if [ -f "$marker" ]; then
    echo "$KVX_QT_WINDOWS"
    exit 0
fi

"$checkout/scripts/windows/install-deps.sh" >&2

work="$KVX_CACHE/qt-source"
mkdir -p "$work"
source_dir="$work/qt6-base-source"
if [ ! -d "$source_dir" ]; then
    # A source entry for each of the machine's own Debian entries, so no host
    # is named here: the same archive the binary packages come from.
    if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
        if [ -f /etc/apt/sources.list.d/debian.sources ]; then
            sed 's/^Types:.*$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
                $sudo tee /etc/apt/sources.list.d/kvxconfig-deb-src.sources >/dev/null
        else
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/kvxconfig-deb-src.list >/dev/null
        fi
        $sudo apt-get update -qq
    fi
    echo "Fetching Debian's qt6-base source" >&2
    # Unpacked beside, then renamed: an interrupted run leaves no half tree.
    rm -rf "$work/unpacking"
    (cd "$work" && apt-get source --download-only qt6-base >&2 && dpkg-source -x qt6-base_*.dsc unpacking >&2)
    mv "$work/unpacking" "$work/qt6-base-source"
    source_dir="$work/qt6-base-source"
fi

build="$KVX_CACHE/qt-build"
rm -rf "$build" "$KVX_QT_WINDOWS"
echo "Configuring Qt for Windows in $build" >&2
# Left out: what the tool does not use. OpenGL needs all three settings, or the
# Windows platform plugin does not compile; Direct2D stays, since without it
# Qt 6.4 leaves out the DirectWrite font database that plugin links to.
cmake -S "$source_dir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$checkout/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$KVX_QT_WINDOWS" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >&2
echo "Building Qt for Windows (973 steps; see the README for how long it takes)" >&2
cmake --build "$build" -j"$(nproc)" >&2
cmake --install "$build" >&2
for needed in bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Test.dll plugins/platforms/qoffscreen.dll \
    plugins/platforms/qwindows.dll plugins/styles/qwindowsvistastyle.dll; do
    [ -f "$KVX_QT_WINDOWS/$needed" ] || { echo "Qt for Windows is incomplete: $needed is missing" >&2; exit 1; }
done
date -u +%FT%TZ > "$marker"
rm -rf "$build"
echo "$KVX_QT_WINDOWS"
