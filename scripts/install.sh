#!/usr/bin/env bash
# Installs what is missing, builds the tool for release and puts it into a
# server folder, where it reads and writes kvxserver.conf, motd.txt and
# KVXServer.exe beside itself. Needs no display.
#
#   scripts/install.sh SERVER-FOLDER
#
# The folder is created when missing; a relative one is taken from where you
# stand. The build lies in build-release/, apart from the tests' build/, so
# neither rebuilds the other. The build's output goes to standard error, what
# to run next to standard output.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)

if [ $# -ne 1 ] || [ -z "$1" ]; then
    echo "Usage: $0 SERVER-FOLDER" >&2
    exit 2
fi
folder=$1
case "$folder" in
    /*) ;;
    *) folder="$PWD/$folder" ;;
esac

cd "$checkout"
scripts/install-deps.sh >&2
if [ ! -f build-release/CMakeCache.txt ]; then
    echo "Configuring the build (the first build takes a few minutes)" >&2
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >&2
fi
# The tool alone, not the tests and benchmarks.
cmake --build build-release --target kvxconfig >&2

mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
# Only the tool itself is copied; the server's own files there are left alone.
# The copy goes to a new file that then replaces the old one, so a copy that
# is running right now is never written into.
staged=$(mktemp "$folder/.kvxconfig.XXXXXX")
trap 'rm -f "$staged"' EXIT
cp build-release/src/kvxconfig "$staged"
chmod 755 "$staged"
mv -f "$staged" "$folder/kvxconfig"
trap - EXIT

quoted=$(printf '%q' "$folder")
cat <<NEXT
kvxconfig is in $folder. Next:
  cd $quoted
  ./kvxconfig --help          # the command line, no display needed
  ./kvxconfig                 # the windows, on a display
  man -l $(printf '%q' "$checkout/docs/kvxconfig.1")
  source $(printf '%q' "$checkout/scripts/kvxconfig.bash-completion")
NEXT
