#!/usr/bin/env bash
# Renders every window twice, with the machine's fonts and with a font
# configuration that lists DejaVu alone, and requires the same pictures: the
# windows draw with the fonts that travel inside the tool.
#   tests/pictures_without_system_fonts.sh RENDER-WINDOWS FONTCONFIG-FILE
set -euo pipefail
render=$1
fonts=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$render" "$work/system" >/dev/null
FONTCONFIG_FILE=$fonts "$render" "$work/dejavu" >/dev/null
count=0
different=()
for picture in "$work"/system/*.png; do
    count=$((count + 1))
    cmp -s "$picture" "$work/dejavu/$(basename "$picture")" || different+=("$(basename "$picture")")
done
if [ "$count" -eq 0 ] || [ ${#different[@]} -gt 0 ]; then
    echo "With only DejaVu installed these pictures differ: ${different[*]:-(none rendered)}" >&2
    exit 1
fi
echo "$count pictures, the same with only DejaVu installed"
