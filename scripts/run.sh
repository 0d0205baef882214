#!/usr/bin/env bash
# Installs what is missing, builds the tool, puts it into the server folder
# (first argument, default: ./server in the checkout) and starts it there: the
# tool reads and writes kvxserver.conf, motd.txt and KVXServer.exe beside
# itself. Further arguments (such as -listen) go to the tool.
set -euo pipefail
cd "$(dirname "$0")/.."
all_arguments="$*"
scripts/install-deps.sh
scripts/build.sh build >/dev/null

folder=${1:-server}
shift || true
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
# Only the tool itself is copied; the server's own files there are left alone.
cp build/src/kvxconfig "$folder/kvxconfig"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to show the tool's window on; start it under a virtual one with: xvfb-run -a scripts/run.sh $all_arguments" >&2
    exit 1
fi
echo "Starting the tool in $folder"
exec "$folder/kvxconfig" "$@"
