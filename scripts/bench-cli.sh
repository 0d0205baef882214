#!/usr/bin/env bash
# Command-line benchmark: `kvxconfig show` on a tool-written kvxserver.conf,
# run RUNS times (default 40) with no display, against a QCoreApplication
# program that reads the same file and is linked against the same Qt
# libraries (Core, Gui, Widgets), and against the same program on QtCore
# alone. Prints the median wall time and peak resident memory of each and
# the ratios of the tool to both.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-40}
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVX_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target kvxconfig cli_baseline_core cli_baseline_widgets startup_runner >/dev/null

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp tests/fixtures/default-wizard.conf "$folder/kvxserver.conf"

measure() {
    # The runner's own line comes last, after what the program printed.
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM build-bench/bench/startup_runner "$runs" "$@" | tail -n 1
}
read -r show_ms show_kb < <(measure build-bench/src/kvxconfig show --folder "$folder")
read -r widgets_ms widgets_kb < <(measure build-bench/bench/cli_baseline_widgets "$folder")
read -r core_ms core_kb < <(measure build-bench/bench/cli_baseline_core "$folder")

echo "reading kvxserver.conf and printing, median of $runs runs, no display:"
printf '  kvxconfig show:                   %8.1f ms  %8d KiB peak resident\n' "$show_ms" "$show_kb"
printf '  QCoreApplication, Widgets linked: %8.1f ms  %8d KiB peak resident\n' "$widgets_ms" "$widgets_kb"
printf '  QCoreApplication, QtCore alone:   %8.1f ms  %8d KiB peak resident\n' "$core_ms" "$core_kb"
awk -v a="$show_ms" -v b="$widgets_ms" -v c="$show_kb" -v d="$widgets_kb" \
    'BEGIN { printf "  ratio show / same libraries: time %.2f, memory %.2f (aim: time under 1.30)\n", a / b, c / d }'
awk -v a="$show_ms" -v b="$core_ms" -v c="$show_kb" -v d="$core_kb" \
    'BEGIN { printf "  ratio show / QtCore alone:   time %.2f, memory %.2f\n", a / b, c / d }'
