#!/usr/bin/env bash
# Builds Qt's base module for 64-bit Windows with Debian's MinGW-w64 cross
# compiler, once per machine, into a cache outside the checkout:
#
#   scripts/windows/build-qt.sh [--tests-only]
#
# The source is Debian's own qt6-base package, the same Qt the Linux build
# uses, so both platforms run the same toolkit. Only what the tool needs is
# built; with --tests-only, only what its tests need (Core, Gui, Widgets, Test
# and the offscreen platform), which is what CI builds when no cache is there.
# The cache counts only once the marker written after a complete install is in
# it. Prints the cache's folder last, on standard output.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/../.." && pwd)
source "$checkout/scripts/windows/settings.sh"

tests_only=no
[ "${1:-}" = --tests-only ] && tests_only=yes

marker="$KVX_QT_WINDOWS/.installed"
if [ -f "$marker" ] && { [ "$tests_only" = yes ] || grep -qx full "$marker"; }; then
    echo "$KVX_QT_WINDOWS"
    exit 0
fi

"$checkout/scripts/windows/install-deps.sh" >&2

work="$KVX_CACHE/qt-source"
mkdir -p "$work"
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
if [ -z "$source_dir" ]; then
    # A source entry for each of the machine's own Debian entries, so no host
    # is named here: the same archive the binary packages come from.
    if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        list=/etc/apt/sources.list.d/kvxconfig-deb-src.sources
        sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
        sed -n 's/^Types:.*deb\b.*$/Types: deb-src/; p' /etc/apt/sources.list.d/debian.sources | $sudo tee "$list" >/dev/null
        $sudo apt-get update -qq
    fi
    echo "Fetching Debian's qt6-base source" >&2
    (cd "$work" && apt-get source --download-only qt6-base >&2 && dpkg-source -x qt6-base_*.dsc >&2)
    source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
fi

targets=(Core Gui Widgets Test QOffscreenIntegrationPlugin)
[ "$tests_only" = no ] && targets+=(QWindowsIntegrationPlugin QWindowsVistaStylePlugin)

build="$KVX_CACHE/qt-build"
rm -rf "$build" "$KVX_QT_WINDOWS"
echo "Configuring Qt for Windows in $build" >&2
cmake -S "$source_dir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$checkout/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$KVX_QT_WINDOWS" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >&2
echo "Building ${targets[*]} (several hundred steps; about half an hour on a quiet 2-core machine)" >&2
cmake --build "$build" --target "${targets[@]}" -j"$(nproc)" >&2
# Installs what was built; the targets left out have nothing to install.
cmake --install "$build" >&2 || true
for needed in bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Test.dll plugins/platforms/qoffscreen.dll; do
    [ -f "$KVX_QT_WINDOWS/$needed" ] || { echo "Qt for Windows is incomplete: $needed is missing" >&2; exit 1; }
done
if [ "$tests_only" = no ]; then
    for needed in plugins/platforms/qwindows.dll plugins/styles/qwindowsvistastyle.dll; do
        [ -f "$KVX_QT_WINDOWS/$needed" ] || { echo "Qt for Windows is incomplete: $needed is missing" >&2; exit 1; }
    done
fi
[ "$tests_only" = yes ] && echo tests > "$marker" || echo full > "$marker"
rm -rf "$build"
echo "$KVX_QT_WINDOWS"
