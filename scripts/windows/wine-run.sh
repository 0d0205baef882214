#!/usr/bin/env bash
# Runs a Windows program under Wine as the tests need it: in the tool's own
# Wine prefix, with Qt for Windows and the MinGW runtime on its DLL path and
# Qt's plugins found. CTest starts every test program through this.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/../.." && pwd)
source "$checkout/scripts/windows/settings.sh"
export WINEPREFIX=$KVX_WINEPREFIX
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait
fi
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export WINEPATH="$(windows_path "$KVX_QT_WINDOWS/bin");$(windows_path "$gcc_runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export QT_PLUGIN_PATH="$(windows_path "$KVX_QT_WINDOWS/plugins")"
exec wine "$@"
