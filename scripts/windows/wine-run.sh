#!/usr/bin/env bash
# Runs a Windows program under Wine as the tests need it: in the tool's own
# Wine prefix, with Qt for Windows and the MinGW runtime on its DLL path and
# Qt's variables passed on. CTest starts every test program through this.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/../.." && pwd)
source "$checkout/scripts/windows/settings.sh"
export WINEPREFIX=$KVX_WINEPREFIX
# Wine's desktop process belongs to a prefix and keeps the display of the
# program that started it. Started by an offscreen test, it has none, and
# while it lasts no window on the Windows platform can be made
# ("CreateWindowEx failed"): that platform gets a prefix of its own.
on_display=false
if [[ ${QT_QPA_PLATFORM:-} == windows* ]]; then
    on_display=true
    WINEPREFIX=$KVX_WINEPREFIX-display
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait
    # Debian's fonts-wine brings Tahoma, but this Wine finds only the fonts
    # in the prefix's own folder and the host's: put them there.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi
# The Windows platform plugin needs a display; a virtual one when none is named.
if $on_display && [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a "$0" "$@"
fi
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export WINEPATH="$(windows_path "$KVX_QT_WINDOWS/bin");$(windows_path "$gcc_runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"
# Wine keeps the host's QT_ variables from Windows programs and passes
# WINEQT_... on as QT_... instead (QT_QPA_PLATFORM=offscreen, for one). Qt
# finds its plugins beside its own DLLs.
while IFS='=' read -r name _; do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)
# A Qt Test program's report reaches no pipe under Wine (it goes to the
# debugger's output when there is no console): it is written to a file and
# shown from there.
if [[ $(basename "$1") == test_*.exe ]]; then
    report=$(mktemp)
    trap 'rm -f "$report"' EXIT
    status=0
    wine "$@" -o "$(windows_path "$report"),txt" || status=$?
else
    $on_display || exec wine "$@"
    status=0
    wine "$@" || status=$?
fi
# The desktop process ends with the prefix's last program; it must not
# outlive the virtual display it was started on.
$on_display && wineserver --wait
[ -n "${report:-}" ] && cat "$report"
exit $status
