#!/usr/bin/env bash
# Renders every window and wizard page to PNG files in docs/pictures (or the
# folder given as the first argument), from the real window classes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build >/dev/null
build/tools/render_windows "${1:-docs/pictures}"
