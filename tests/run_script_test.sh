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
work=$(mktemp -d) sleeper=""
trap '[ -n "$sleeper" ] && kill "$sleeper" 2>/dev/null; rm -rf "$work"' EXIT
checkout=$work/checkout here=$work/operator
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
    [ "$2" = "$3" ] || { printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3" >&2; failures=$((failures + 1)); }
}
# run SCRIPT CALLER-FOLDER DISPLAY ARGUMENTS...: runs scripts/SCRIPT from
# CALLER-FOLDER; sets status, out, err, cmake (its calls, joined by "|") and,
# when the tool ran, tool (its folder and arguments, one a line, joined by "|").
run() {
    local script=$1 caller=$2 display=$3
    shift 3
    rm -f "$work/log/"*
    mkdir -p "$caller"
    out=$(cd "$caller" && DISPLAY=$display WAYLAND_DISPLAY= "$checkout/scripts/$script" "$@" 2>"$work/err")
    status=$? err=$(cat "$work/err") cmake=$(paste -sd'|' "$work/log/cmake" 2>/dev/null)
    tool=$([ -f "$work/log/tool" ] && paste -sd'|' "$work/log/tool")
}

run run.sh "$here" :0 -listen
check "-listen goes to the tool; one Release target, in build-release/; standard output is the tool's alone" \
    "0 $checkout/server|-listen -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release|--build build-release --target kvxconfig tool-output" \
    "$status $tool $cmake $out"
check "run.sh: the rest goes to standard error" \
    "installer says|Configuring the build|-- Configuring done|[1/1] Linking CXX executable src/kvxconfig|Starting the tool in $checkout/server" \
    "$(sed 's/^\(Configuring the build\).*/\1/' <<< "$err" | paste -sd'|')"
run run.sh "$here" :0 show
check "configured once" "--build build-release --target kvxconfig" "$cmake"

# Rows: caller folder (under the operator's), display, arguments (W: the work
# folder) | expected status, tool folder and arguments.
while IFS='|' read -r caller display arguments expected; do
    run run.sh "$here/$caller" "$display" ${arguments//W/$work}
    check "run.sh $arguments (from $caller, display '$display')" "$expected" "$status ${tool//$work/W}"
done <<'ROWS'
.|:0|srv|0 W/operator/srv
srv|:0|. -listen|0 W/operator/srv|-listen
.|:0|W/elsewhere -listen extra|0 W/elsewhere|-listen|extra
.||srv show|0 W/operator/srv|show
.||srv --help|0 W/operator/srv|--help
.||srv -V|0 W/operator/srv|-V
.||srv --folder x show|0 W/operator/srv|--folder|x|show
ROWS

# A command first is no folder.
for command in show set check motd launch help version; do
    run run.sh "$here" "" $command port
    check "run.sh $command port" "0 $checkout/server|$command|port" "$status $tool"
done
for arguments in "-listen" "" "srv"; do
    run run.sh "$here" "" $arguments
    check "no display, '$arguments': stopped before building, the command line's help named, no virtual display" "1   yes" \
        "$status $tool $cmake $([[ $err == *--help* && $err != *xvfb-run* ]] && echo yes)"
done

# install.sh: builds and copies without a display and without starting the
# tool, says what to run next on standard output, creates the folder; without
# one folder it is a usage error and builds nothing.
run install.sh "$here" "" new/srv
check "install.sh: copied, not started, what to run next and where, the build on standard error" "0  kvxconfig yes" \
    "$status $tool $(ls -A "$here/new/srv") $([[ $out == *$'\n'"  cd $here/new/srv"$'\n'*"./kvxconfig --help"* && $err == *"[1/1] Linking"* ]] && echo yes)"
for arguments in "" "a b"; do
    run install.sh "$here" "" $arguments
    check "install.sh '$arguments': a usage error, nothing built" "2 " "$status $cmake"
done

# A copy of the tool that is running (a real program, so writing into it
# fails with "Text file busy") is replaced, not written into, by both, and no
# staged copy is left behind.
mkdir -p "$here/busy"
for script in run.sh install.sh; do
    cp "$(command -v sleep)" "$here/busy/kvxconfig"
    "$here/busy/kvxconfig" 30 &
    sleeper=$!
    run "$script" "$here" :0 busy
    check "$script: a running copy is replaced" "0 tool-output kvxconfig" "$status $("$here/busy/kvxconfig") $(ls -A "$here/busy")"
    kill "$sleeper"
done
[ "$failures" -eq 0 ] && echo "run.sh, install.sh: every case passed"
exit "$failures"
