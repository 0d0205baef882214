#!/usr/bin/env bash
# Cross-builds the tool for 64-bit Windows into build-windows/ (or the folder
# given as $1), with the same warnings as on Linux: kvxconfig.exe (windowed),
# kvxconfig-cli.exe (console) and the test programs. Builds Qt for Windows
# first when this machine has none yet (scripts/windows/build-qt.sh).
# Further arguments go to CMake's configure step.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
source "$checkout/scripts/windows/settings.sh"
dir=${1:-build-windows}
shift || true
cd "$checkout"
scripts/windows/install-deps.sh
scripts/windows/build-qt.sh >/dev/null
export KVX_QT_WINDOWS
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$checkout/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$KVX_QT_WINDOWS" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$checkout/scripts/windows/wine-run.sh" \
    -DKVX_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
