#!/usr/bin/env bash
# The Windows archive as an operator uses it, under Wine on a virtual display
# and with nothing on Wine's path but the archive's own files:
#   tests/windows_zip_test.sh ZIP LINUX-KVXCONFIG WINDOWS-STAND-IN-SERVER FIXTURES
# It holds what it should and nothing else; unpacked into an empty folder,
# kvxconfig-cli.exe set writes the very bytes the Linux build writes for the
# same command and show prints what Linux prints; kvxconfig.exe opens the
# wizard, is stepped through its pages by keyboard, and Launch! writes the
# default settings and starts the server beside it.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
source "$checkout/scripts/windows/settings.sh"
if [ -z "${KVX_ZIP_TEST_DISPLAY:-}" ]; then
    KVX_ZIP_TEST_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
zip=$(realpath "$1") linux_tool=$(realpath "$2") stand_in=$(realpath "$3") fixtures=$(realpath "$4")
# A prefix of the test's own, where no earlier run put Qt on any path.
export WINEPREFIX=$KVX_CACHE/wine-zip-test
unset WINEPATH
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait
    # Every Windows has Tahoma; this Wine looks for it in the prefix alone.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# What the archive holds: the programs, what they load, the licences.
expected=$(printf '%s\n' kvxconfig.exe kvxconfig-cli.exe Qt6{Core,Gui,Widgets}.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll licenses/{README,Qt-LGPL-3.0,GPL-3.0}.txt \
    licenses/{Qt-copyright,Liberation-fonts-OFL,GCC-runtime-copyright,MinGW-w64-winpthreads-copyright}.txt | LC_ALL=C sort)
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort)
[ "$listed" = "$expected" ] || fail "the archive holds:"$'\n'"$listed"
unzip -q "$zip" -d "$work/server"
cd "$work/server"
for program in *.exe */*.dll *.dll; do
    x86_64-w64-mingw32-objdump -h "$program" | grep -q '\.debug' && fail "$program has debugging sections"
done
# Each licence file is the text its name promises.
while read -r file text; do
    grep -q "$text" "licenses/$file" || fail "licenses/$file lacks \"$text\""
done <<'EOF'
Qt-LGPL-3.0.txt GNU LESSER GENERAL PUBLIC LICENSE
GPL-3.0.txt GNU GENERAL PUBLIC LICENSE
Qt-copyright.txt Upstream-Name: qtbase
Liberation-fonts-OFL.txt SIL OPEN FONT LICENSE Version 1.1
GCC-runtime-copyright.txt GCC RUNTIME LIBRARY EXCEPTION
MinGW-w64-winpthreads-copyright.txt mingw-w64-libraries/winpthreads
README.txt apt-get source qt6-base=
EOF

# The command line beside the server, as cmd.exe and scripts use it, against
# the Linux build's output for the same words: the same file (the name's é is
# one byte in its code page) and, but for the console's CR LF, the same text.
settings=(ServerName="Zip café" MaxPlayers=20 GameHour=7 ServerPort=2010)
mkdir "$work/linux"
"$linux_tool" set --folder "$work/linux" "${settings[@]}" >/dev/null 2>&1 || fail "kvxconfig set failed on Linux"
wine kvxconfig-cli.exe set "${settings[@]}" >"$work/set.out" 2>&1 || fail "kvxconfig-cli.exe set failed: $(cat "$work/set.out")"
cmp "$work/linux/kvxserver.conf" kvxserver.conf || fail "kvxserver.conf differs from the Linux build's"
linux_show=$("$linux_tool" show --folder "$work/linux") && [ -n "$linux_show" ] || fail "kvxconfig show failed on Linux"
[ "$(wine kvxconfig-cli.exe show | tr -d '\r')" = "$linux_show" ] || fail "show prints differently"

# The windowed program in a fresh folder beside a stand-in server: the wizard
# opens, Alt+N steps from page 1 to 7, Shift+Tab goes from the page's first
# field round to its last button, Launch!, and Enter presses it.
unzip -q "$zip" -d "$work/gui"
cp "$stand_in" "$work/gui/KVXServer.exe"
cd "$work/gui"
started=$(date +%s)
wine kvxconfig.exe >"$work/gui.log" 2>&1 &
tool=$!
# Polled: Wine makes and drops helper windows while a program starts, and a
# search that meets one that is gone ends with an X error.
for _ in $(seq 60); do
    window=$(xdotool search --onlyvisible --name '^KVX 0\.5 Server Config$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 1
done
if [ -n "$window" ]; then
    xdotool windowfocus --sync "$window" key --delay 200 alt+n alt+n alt+n alt+n alt+n alt+n shift+Tab Return
    for _ in $(seq 60); do
        kill -0 "$tool" 2>/dev/null || break
        sleep 1
    done
else
    fail "the wizard's window did not appear: $(cat "$work/gui.log")"
fi
if kill -0 "$tool" 2>/dev/null; then
    fail "kvxconfig.exe is still running a minute after Launch!, or without its window"
    kill "$tool"
    wait "$tool" || true
else
    wait "$tool" || fail "kvxconfig.exe ended with status $?: $(cat "$work/gui.log")"
fi
[ -f server-started ] || fail "Launch! did not start KVXServer.exe"
# The wizard's defaults as it saves them: its Admin plus box starts unticked.
sed '163s/^AdminPlus 1/AdminPlus 0/' "$fixtures/default-wizard.conf" | cmp - kvxserver.conf ||
    fail "Launch! did not write the wizard's default settings"
echo "the windowed program took $(($(date +%s) - started)) s"
timeout 60 wineserver --wait || fail "Wine's programs were still running a minute after the tool ended"
[ "$failures" -eq 0 ] || exit 1
echo "the archive passed: its contents, the command line, the wizard's Launch!"
