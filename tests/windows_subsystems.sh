#!/bin/sh
# The windowed program opens no console beside it; the console twin is the
# one cmd.exe waits for and scripts read. Both read from their PE headers.
#   windows_subsystems.sh OBJDUMP kvxconfig.exe kvxconfig-cli.exe
found=$("$1" -p "$2" | grep '^Subsystem'; "$1" -p "$3" | grep '^Subsystem')
expected=$(printf 'Subsystem\t\t00000002\t(Windows GUI)\nSubsystem\t\t00000003\t(Windows CUI)')
[ "$found" = "$expected" ] || { printf 'subsystems:\n%s\nexpected:\n%s\n' "$found" "$expected" >&2; exit 1; }
echo "1 passed, 0 failed"
