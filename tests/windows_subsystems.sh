#!/bin/sh
# The windowed program opens no console beside it; the console twin is the
# one cmd.exe waits for and scripts read. Both read from their PE headers.
#   windows_subsystems.sh OBJDUMP kvxconfig.exe kvxconfig-cli.exe
set -eu
objdump=$1
check() {
    found=$("$objdump" -p "$1" | sed -n 's/^Subsystem[[:space:]]*//p')
    if [ "$found" != "$2" ]; then
        echo "$1: subsystem $found, expected $2" >&2
        exit 1
    fi
}
check "$2" "00000002	(Windows GUI)"
check "$3" "00000003	(Windows CUI)"
echo "1 passed, 0 failed"
