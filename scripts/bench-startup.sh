#!/usr/bin/env bash
# Start-up benchmark: the tool's wizard over a tool-written kvxserver.conf and
# motd.txt against a bare Qt Widgets window and one with a label, each started
# RUNS times (default 40), in turn, until its window is first shown. Prints the
# median wall time and peak resident memory of each and the tool's ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-40}
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVX_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target bench_startup_tool bench_startup_bare bench_startup_label startup_runner bench_config >/dev/null

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
# A tool-written kvxserver.conf (the default wizard file) and a motd.txt.
cp tests/fixtures/default-wizard.conf "$folder/kvxserver.conf"
printf 'Welcome\r\n\r\nHave fun.\r\n' > "$folder/motd.txt"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# The three take turns, so a change in the machine's load touches each alike.
{ read -r tool_ms tool_kb; read -r bare_ms bare_kb; read -r label_ms label_kb; } < <(
    build-bench/bench/startup_runner "$runs" build-bench/bench/bench_startup_tool "$folder" \
        -- build-bench/bench/bench_startup_bare -- build-bench/bench/bench_startup_label)
echo "start-up until the first window is shown, median of $runs runs (platform $QT_QPA_PLATFORM):"
printf '  tool wizard: %8.1f ms  %8d KiB peak resident\n' "$tool_ms" "$tool_kb"
printf '  bare window: %8.1f ms  %8d KiB peak resident\n' "$bare_ms" "$bare_kb"
printf '  one label:   %8.1f ms  %8d KiB peak resident (a bare window with one line of text)\n' "$label_ms" "$label_kb"
awk -v a="$tool_ms" -v b="$bare_ms" -v c="$tool_kb" -v d="$bare_kb" \
    'BEGIN { printf "  ratio tool / bare window: time %.2f, memory %.2f (aim: at most 1.30 each)\n", a / b, c / d }'
awk -v a="$tool_ms" -v b="$label_ms" -v c="$tool_kb" -v d="$label_kb" \
    'BEGIN { printf "  ratio tool / one label:   time %.2f, memory %.2f\n", a / b, c / d }'
echo
build-bench/bench/bench_config
