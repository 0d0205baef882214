#!/usr/bin/env bash
# Installs what is missing, builds the tool for release, puts it into the
# server folder and starts it there, as a double-click in a file manager
# would: the tool reads and writes kvxserver.conf, motd.txt and KVXServer.exe
# beside itself, and the server it starts inherits that folder.
#
#   scripts/run.sh [SERVER-FOLDER] [TOOL ARGUMENTS...]
#
# The first argument is the server folder unless it starts with "-" or is one
# of the tool's commands; a relative folder is taken from where you stand.
# Without one the folder is server/ in the checkout. Everything else goes to
# the tool (for example -listen, or show --json). This script's messages and
# the build's output go to standard error, so standard output is the tool's
# alone: scripts/run.sh DIR show --json | jq
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)

is_command() {
    case "$1" in
        show | set | check | motd | launch | help | version) return 0 ;;
        *) return 1 ;;
    esac
}

folder=""
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ] && ! is_command "$1"; then
    folder=$1
    shift
fi
[ -n "$folder" ] || folder="$checkout/server"
case "$folder" in
    /*) ;;
    *) folder="$PWD/$folder" ;;
esac

# The windows need a display; the command line does not. Say so before
# spending minutes on a build.
needs_display=yes
if [ $# -gt 0 ]; then
    case "$1" in
        --help | -h | --version | -V | --folder | --folder=*) needs_display=no ;;
        *) is_command "$1" && needs_display=no ;;
    esac
fi
if [ "$needs_display" = yes ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    printf '%s\n' "There is no display to show the tool's windows on. Its command line needs none:" \
        "  $0 $(printf '%q' "$folder") --help" \
        "or put the tool into the folder with scripts/install.sh and run kvxconfig --help there." >&2
    exit 1
fi

# What to run next is for install.sh's callers; here the tool runs next.
"$checkout/scripts/install.sh" "$folder" >/dev/null

echo "Starting the tool in $folder" >&2
cd "$folder"
exec ./kvxconfig "$@"
