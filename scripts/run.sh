#!/usr/bin/env bash
# Installs what is missing, builds the tool, puts it into the server folder and
# starts it there, as a double-click in a file manager would: the tool reads
# and writes kvxserver.conf, motd.txt and KVXServer.exe beside itself, and the
# server it starts inherits that folder.
#
#   scripts/run.sh [SERVER-FOLDER] [TOOL ARGUMENTS...]
#
# The first argument is the server folder unless it starts with "-" or is one
# of the tool's commands; a relative folder is taken from where you stand.
# Without one the folder is server/ in the checkout. Everything else goes to
# the tool (for example -listen).
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
all_arguments="$*"

folder=""
if [ $# -gt 0 ]; then
    case "$1" in
        -* | show | set | check | motd | launch) ;;
        *) folder=$1; shift ;;
    esac
fi
[ -n "$folder" ] || folder="$checkout/server"
case "$folder" in
    /*) ;;
    *) folder="$PWD/$folder" ;;
esac

# The windows need a display; the tool's commands do not. Say so before
# spending minutes on a build.
needs_display=yes
case "${1:-}" in
    show | set | check | motd | launch) needs_display=no ;;
esac
if [ "$needs_display" = yes ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to show the tool's window on; start it under a virtual one with: xvfb-run -a $0 $all_arguments" >&2
    exit 1
fi

cd "$checkout"
scripts/install-deps.sh
if [ ! -f build/CMakeCache.txt ]; then
    echo "Configuring the build (the first build takes a few minutes)"
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# The tool alone, not the tests and benchmarks.
cmake --build build --target kvxconfig

mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
# Only the tool itself is copied; the server's own files there are left alone.
# The copy goes to a new file that then replaces the old one, so a copy that
# is running right now is never written into.
staged=$(mktemp "$folder/.kvxconfig.XXXXXX")
trap 'rm -f "$staged"' EXIT
cp build/src/kvxconfig "$staged"
chmod 755 "$staged"
mv -f "$staged" "$folder/kvxconfig"
trap - EXIT

echo "Starting the tool in $folder"
cd "$folder"
exec ./kvxconfig "$@"
