#!/usr/bin/env bash
# Makes the archive a Windows operator downloads and unpacks beside
# KVXServer.exe: build-windows/kvxconfig-VERSION-windows-x64.zip (or in the
# build folder given as $1), after cross-building the tool
# (scripts/build-windows.sh). It holds the two programs, the Qt libraries and
# plugins they load, the MinGW runtime and the licence texts, all at its top
# level, so that the programs find their libraries beside them. Prints the
# archive's path.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
source "$checkout/scripts/windows/settings.sh"
dir=${1:-build-windows}
cd "$checkout"
scripts/build-windows.sh "$dir" >&2
dir=$(cd "$dir" && pwd)

# The version as the program itself prints it, so the name cannot drift.
printed=$(scripts/windows/wine-run.sh "$dir/src/kvxconfig-cli.exe" --version | tr -d '\r')
version=${printed#kvxconfig }
[[ $version =~ ^[0-9]+(\.[0-9]+)*$ ]] || { echo "kvxconfig-cli.exe --version printed \"$printed\"" >&2; exit 1; }
zip_path=$dir/kvxconfig-$version-windows-x64.zip

qt_source=$KVX_CACHE/qt-source/qt6-base-source
[ -f "$qt_source/debian/changelog" ] || { echo "Qt's source is missing from $qt_source; run scripts/windows/build-qt.sh" >&2; exit 1; }
qt_package_version=$(dpkg-parsechangelog -l "$qt_source/debian/changelog" -S Version)
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/platforms" "$stage/styles" "$stage/licenses"
cp "$dir/src/kvxconfig.exe" "$dir/src/kvxconfig-cli.exe" "$stage/"
cp "$KVX_QT_WINDOWS"/bin/Qt6{Core,Gui,Widgets}.dll "$stage/"
cp "$KVX_QT_WINDOWS/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$KVX_QT_WINDOWS/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$gcc_runtime/libstdc++-6.dll" "$gcc_runtime/libgcc_s_seh-1.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$stage/"
# Symbols and debugging sections help no operator.
find "$stage" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

# The licence texts as the Debian packages the files were made from carry them.
licenses=$stage/licenses
cp "$qt_source/LICENSES/LGPL-3.0-only.txt" "$licenses/Qt-LGPL-3.0.txt"
cp "$qt_source/LICENSES/GPL-3.0-only.txt" "$licenses/GPL-3.0.txt"
cp "$qt_source/debian/copyright" "$licenses/Qt-copyright.txt"
cp src/ui/fonts/LICENSE "$licenses/Liberation-fonts-OFL.txt"
cp /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright "$licenses/GCC-runtime-copyright.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$licenses/MinGW-w64-winpthreads-copyright.txt"
cat > "$licenses/README.txt" <<EOF
kvxconfig $version for 64-bit Windows: what it is made of, and under which terms

kvxconfig.exe, kvxconfig-cli.exe
    The tool itself. It carries the Liberation Sans fonts inside it, under
    the SIL Open Font License 1.1: Liberation-fonts-OFL.txt.

Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms\\qwindows.dll,
styles\\qwindowsvistastyle.dll
    Qt $KVX_QT_VERSION, under the GNU Lesser General Public License version 3
    (Qt-LGPL-3.0.txt, which adds to GPL-3.0.txt). Qt-copyright.txt lists the
    copyright holders and the licences of the parts Qt includes. These files
    are built, unchanged, from Debian's qt6-base source package, version
    $qt_package_version:
        apt-get source qt6-base=$qt_package_version    (on Debian 12)
        https://deb.debian.org/debian/pool/main/q/qt6-base/
    with the MinGW-w64 compiler and the options in scripts/windows/build-qt.sh
    of kvxconfig's source. You may replace them with your own build of Qt
    $KVX_QT_VERSION: the programs load them at start.

libstdc++-6.dll, libgcc_s_seh-1.dll
    The GCC runtime libraries, under the GNU General Public License version 3
    with the GCC Runtime Library Exception version 3.1: both in
    GCC-runtime-copyright.txt (the licence itself in GPL-3.0.txt).

libwinpthread-1.dll
    The MinGW-w64 winpthreads library: its notices are in
    MinGW-w64-winpthreads-copyright.txt: the mingw-w64-libraries/winpthreads
    entries, under the expat licence whose text follows the entries.
EOF
sed -i 's/$/\r/' "$licenses/README.txt" # read with Notepad

rm -f "$zip_path"
(cd "$stage" && zip -q -X -D -r -9 "$zip_path" .)
echo "$zip_path"
