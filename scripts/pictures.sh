#!/usr/bin/env bash
# Renders every window and wizard page to PNG files in docs/pictures (or the
# folder given as the first argument), from the real window classes.
#   scripts/pictures.sh --windows [FOLDER]
# renders the wizard's first page and the classic editor as Windows draws
# them instead: built for Windows, under Wine on the Windows platform, into
# docs/pictures/windows (or FOLDER).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --windows ]; then
    out=${2:-docs/pictures/windows}
    scripts/build-windows.sh build-windows >/dev/null
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    QT_QPA_PLATFORM=windows scripts/windows/wine-run.sh build-windows/tools/render_windows.exe -platform windows \
        "Z:${work//\//\\}" >/dev/null
    mkdir -p "$out"
    cp "$work/wizard-page-1.png" "$work/classic.png" "$out/"
    exit 0
fi
scripts/install-deps.sh
scripts/build.sh build >/dev/null
build/tools/render_windows "${1:-docs/pictures}"
