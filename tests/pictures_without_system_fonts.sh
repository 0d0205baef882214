#!/usr/bin/env bash
# Renders every window twice, with the machine's fonts and with a font
# configuration that lists DejaVu alone, and requires the same pictures: the
# windows draw with the fonts that travel inside the tool.
#   tests/pictures_without_system_fonts.sh RENDER-WINDOWS FONTCONFIG-FILE
set -euo pipefail
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
"$1" "$work/system" >/dev/null
FONTCONFIG_FILE=$2 "$1" "$work/dejavu" >/dev/null
# Both folders hold the same names, at least one; diff names each that differs.
ls "$work/system"/*.png >/dev/null
diff -r "$work/system" "$work/dejavu" >&2
echo "$(ls "$work/system" | wc -l) pictures, the same with only DejaVu installed"
