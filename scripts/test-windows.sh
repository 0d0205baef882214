#!/usr/bin/env bash
# The Windows leg: cross-builds the tool and its tests for 64-bit Windows
# (building Qt for Windows first when this machine has none) and runs the
# suite under Wine on the offscreen platform, in a Wine prefix of the tool's
# own. Tests that are POSIX by nature skip with their reason. Then makes the
# operators' archive (scripts/package-windows.sh) and tries it as an operator
# would, against the Linux build's command line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh build-windows
cd build-windows
# A console program's streams must reach a pipe, or no command-line test
# could read them.
version=$(../scripts/windows/wine-run.sh src/kvxconfig-cli.exe --version | tr -d '\r')
[ "$version" = "kvxconfig $(sed -n 's/^project(KvxServerConfig VERSION \([0-9.]*\).*/\1/p' ../CMakeLists.txt)" ] || {
    echo "kvxconfig-cli.exe --version under Wine printed \"$version\"" >&2
    exit 1
}
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"

cd ..
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kvxconfig >/dev/null
zip=$(scripts/package-windows.sh build-windows)
echo "$zip: $(stat -c %s "$zip") bytes"
tests/windows_zip_test.sh "$zip" build/src/kvxconfig build-windows/tests/stand_in_server.exe tests/fixtures
