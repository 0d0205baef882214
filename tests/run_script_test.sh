#!/usr/bin/env bash
# scripts/run.sh and scripts/install.sh in a stand-in checkout whose installer
# does nothing and whose CMake "builds" a stand-in tool that writes down the
# folder it runs in and its arguments: which argument is the server folder,
# where a relative folder lies, where the tool starts, the display check
# before any build, the one Release target built in build-release/, standard
# output left to the tool, and replacing a copy of the tool that is running.
#   tests/run_script_test.sh SOURCE-FOLDER
set -uo pipefail
source_folder=$(cd "$1" && pwd)
work=$(mktemp -d)
sleeper=""
trap '[ -n "$sleeper" ] && kill "$sleeper" 2>/dev/null; rm -rf "$work"' EXIT

checkout=$work/checkout
mkdir -p "$checkout/scripts" "$work/bin" "$work/log"
cp "$source_folder/scripts/run.sh" "$source_folder/scripts/install.sh" "$checkout/scripts/"
printf '#!/bin/sh\necho "installer says"\n' > "$checkout/scripts/install-deps.sh"
cat > "$work/bin/cmake" <<'EOF_CMAKE'
#!/usr/bin/env bash
echo "$*" >> "$KVX_LOG/cmake"
case "$1" in
    -S) mkdir -p "$4" && touch "$4/CMakeCache.txt"; echo "-- Configuring done" ;;
    --build)
        echo "[1/1] Linking CXX executable src/kvxconfig"
        mkdir -p "$2/src"
        printf '#!/bin/sh\nprintf "%%s\\n" "$PWD" "$@" > "$KVX_LOG/tool"\necho tool-output\n' > "$2/src/kvxconfig"
        chmod +x "$2/src/kvxconfig" ;;
esac
EOF_CMAKE
chmod +x "$checkout/scripts/"*.sh "$work/bin/cmake"
export PATH="$work/bin:$PATH" KVX_LOG="$work/log"

failures=0
check() { # what, expected, actual
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3" >&2
        failures=$((failures + 1))
    fi
}
contains() { # what, expected part, actual
    case "$3" in *"$2"*) ;; *) check "$1" "...$2..." "$3" ;; esac
}

# run SCRIPT CALLER-FOLDER DISPLAY ARGUMENTS...: runs scripts/SCRIPT from
# CALLER-FOLDER; sets status, out, err and, when the tool ran, tool (its
# folder and arguments, one a line, joined by "|").
run() {
    local script=$1 caller=$2 display=$3
    shift 3
    rm -f "$work/log/"*
    mkdir -p "$caller"
    out=$(cd "$caller" && DISPLAY=$display WAYLAND_DISPLAY= "$checkout/scripts/$script" "$@" 2>"$work/err")
    status=$?
    err=$(cat "$work/err")
    tool=$([ -f "$work/log/tool" ] && paste -sd'|' "$work/log/tool")
}

here=$work/operator
rm -rf "$checkout/build-release"
run run.sh "$here" :0 -listen
check "-listen goes to the tool" "0 $checkout/server|-listen" "$status $tool"
check "one Release target, in build-release/" \
    "-S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release|--build build-release --target kvxconfig" \
    "$(paste -sd'|' "$work/log/cmake")"
check "run.sh: standard output is the tool's alone" "tool-output" "$out"
for part in "installer says" "Configuring the build" "-- Configuring done" "[1/1] Linking" "Starting the tool"; do
    contains "run.sh: '$part' goes to standard error" "$part" "$err"
done
run run.sh "$here" :0 show
check "configured once" "--build build-release --target kvxconfig" "$(cat "$work/log/cmake")"

# Rows: caller folder (under the operator's), display, arguments | expected status, tool folder and arguments.
while IFS='|' read -r caller display arguments expected; do
    read -ra words <<< "$arguments"
    run run.sh "$here/$caller" "$display" "${words[@]}"
    check "run.sh $arguments (from $caller, display '$display')" "$expected" "$status ${tool//$work/W}"
done <<'ROWS'
.|:0|srv|0 W/operator/srv
srv|:0|. -listen|0 W/operator/srv|-listen
.||show port|0 W/checkout/server|show|port
.||set port|0 W/checkout/server|set|port
.||check port|0 W/checkout/server|check|port
.||motd port|0 W/checkout/server|motd|port
.||launch port|0 W/checkout/server|launch|port
.||srv show|0 W/operator/srv|show
.||srv --help|0 W/operator/srv|--help
.||srv -V|0 W/operator/srv|-V
.||help|0 W/checkout/server|help
.||version|0 W/checkout/server|version
.||srv --folder x show|0 W/operator/srv|--folder|x|show
ROWS

run run.sh "$here" :0 "$work/elsewhere" -listen extra
check "an absolute folder" "0 $work/elsewhere|-listen|extra" "$status $tool"

for arguments in "-listen" "" "srv"; do
    read -ra words <<< "$arguments"
    run run.sh "$here" "" "${words[@]}"
    check "no display, '$arguments': stop before building" "1  " "$status $tool $(cat "$work/log/cmake" 2>/dev/null)"
    contains "no display, '$arguments': the command line's help" "--help" "$err"
    case "$err" in *xvfb-run*) check "no display, '$arguments': no virtual display" "no xvfb-run" "$err" ;; esac
done

# install.sh: builds and copies without a display and without starting the
# tool, says what to run next on standard output, creates the folder.
run install.sh "$here" "" new/srv
check "install.sh: copied, not started" "0  kvxconfig" "$status $tool $(ls -A "$here/new/srv")"
contains "install.sh: what to run next" "./kvxconfig --help" "$out"
contains "install.sh: in the folder" "cd $here/new/srv" "$out"
contains "install.sh: the build on standard error" "[1/1] Linking" "$err"
for arguments in "" "a b"; do
    read -ra words <<< "$arguments"
    run install.sh "$here" "" "${words[@]}"
    check "install.sh '$arguments': a usage error, nothing built" "2 " "$status $(cat "$work/log/cmake" 2>/dev/null)"
done

# A copy of the tool that is running (a real program, so writing into it
# fails with "Text file busy") is replaced, not written into, by both.
mkdir -p "$here/busy"
for script in run.sh install.sh; do
    cp "$(command -v sleep)" "$here/busy/kvxconfig"
    "$here/busy/kvxconfig" 30 &
    sleeper=$!
    run "$script" "$here" :0 busy
    check "$script: a running copy is replaced" "0 tool-output" "$status $("$here/busy/kvxconfig")"
    check "$script: no staged copy is left behind" "kvxconfig" "$(ls -A "$here/busy")"
    kill "$sleeper"
done

[ "$failures" -eq 0 ] && echo "run.sh, install.sh: every case passed"
exit "$failures"
