#!/usr/bin/env bash
# scripts/run.sh in a stand-in checkout whose installer does nothing and whose
# CMake "builds" a stand-in tool that writes down the folder it runs in and
# its arguments: which argument is the server folder, where a relative folder
# lies, where the tool starts, the display check before any build, the one
# target built, and replacing a copy of the tool that is running.
#   tests/run_script_test.sh SOURCE-FOLDER
set -uo pipefail
source_folder=$(cd "$1" && pwd)
work=$(mktemp -d)
sleeper=""
trap '[ -n "$sleeper" ] && kill "$sleeper" 2>/dev/null; rm -rf "$work"' EXIT

checkout=$work/checkout
mkdir -p "$checkout/scripts" "$work/bin" "$work/log"
cp "$source_folder/scripts/run.sh" "$checkout/scripts/"
printf '#!/bin/sh\nexit 0\n' > "$checkout/scripts/install-deps.sh"
cat > "$work/bin/cmake" <<'EOF'
#!/usr/bin/env bash
echo "$*" >> "$KVX_LOG/cmake"
case "$1" in
    -S) mkdir -p build && touch build/CMakeCache.txt ;;
    --build)
        echo "[1/1] Linking CXX executable src/kvxconfig"
        mkdir -p build/src
        printf '#!/bin/sh\nprintf "%%s\\n" "$PWD" "$@" > "$KVX_LOG/tool"\n' > build/src/kvxconfig
        chmod +x build/src/kvxconfig ;;
esac
EOF
chmod +x "$checkout/scripts/"*.sh "$work/bin/cmake"
export PATH="$work/bin:$PATH" KVX_LOG="$work/log"

failures=0
check() { # what, expected, actual
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3" >&2
        failures=$((failures + 1))
    fi
}

# run CALLER-FOLDER DISPLAY ARGUMENTS...: runs the script from CALLER-FOLDER;
# sets status, output and, when the tool ran, tool (its folder and arguments,
# one a line, joined by "|").
run() {
    local caller=$1 display=$2
    shift 2
    rm -f "$work/log/"*
    mkdir -p "$caller"
    output=$(cd "$caller" && DISPLAY=$display WAYLAND_DISPLAY= "$checkout/scripts/run.sh" "$@" 2>&1)
    status=$?
    tool=$([ -f "$work/log/tool" ] && paste -sd'|' "$work/log/tool")
}

here=$work/operator
run "$here" :0 -listen
check "-listen goes to the tool" "0 $checkout/server|-listen" "$status $tool"
check "only the tool is built" "--build build --target kvxconfig" "$(grep -e --build "$work/log/cmake")"
case "$output" in *"[1/1] Linking"*) ;; *) check "the build shows its progress" "[1/1] Linking" "$output" ;; esac

run "$here" :0 srv
check "a relative folder lies where the caller stands" "0 $here/srv" "$status $tool"
run "$here/srv" :0 . -listen
check "the current folder, then -listen" "0 $here/srv|-listen" "$status $tool"
run "$here" :0 "$work/elsewhere" -listen extra
check "an absolute folder" "0 $work/elsewhere|-listen|extra" "$status $tool"

for command in show set check motd launch; do
    run "$here" "" "$command" port
    check "$command is the tool's, and needs no display" "0 $checkout/server|$command|port" "$status $tool"
done
run "$here" "" srv show
check "a folder, then a command" "0 $here/srv|show" "$status $tool"

run "$here" "" -listen
check "no display: stop before building" "1  " "$status $tool $(cat "$work/log/cmake" 2>/dev/null)"
case "$output" in *"xvfb-run -a "*"run.sh -listen"*) ;; *) check "no display: the hint" "xvfb-run -a .../run.sh -listen" "$output" ;; esac

# A copy of the tool that is running (a real program, so writing into it
# fails with "Text file busy") is replaced, not written into.
mkdir -p "$here/busy"
cp "$(command -v sleep)" "$here/busy/kvxconfig"
"$here/busy/kvxconfig" 30 &
sleeper=$!
run "$here" :0 busy
check "a running copy is replaced" "0 $here/busy" "$status $tool"
check "no staged copy is left behind" "kvxconfig" "$(ls -A "$here/busy")"

[ "$failures" -eq 0 ] && echo "run.sh: every case passed"
exit "$failures"
