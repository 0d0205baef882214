#!/usr/bin/env bash
# The bash completion, run in bash as the shell runs it: each row sets the
# words and the one being completed, calls the function and compares the
# offers (sorted, joined by spaces). Folders and files come from a folder
# holding srv/ and notes.txt.
#   tests/completion_test.sh SOURCE-FOLDER
set -uo pipefail; export LC_ALL=C
source "$1/scripts/kvxconfig.bash-completion"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
mkdir "$work/srv" && : > "$work/notes.txt" && cd "$work" || exit 1
failures=0; fail() { printf 'FAIL %s\n' "$1" >&2; failures=$((failures + 1)); }
for program in kvxconfig ./kvxconfig; do
    [ "$(complete -p "$program" 2>/dev/null)" = "complete -F _kvxconfig $program" ] || fail "not registered for $program"
done
# Rows: the words typed, the last one being completed | the offers.
while IFS='|' read -r typed expected; do
    read -ra COMP_WORDS <<< "$typed"
    [ "${typed: -1}" = " " ] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMPREPLY=()
    _kvxconfig
    actual=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ')
    [ "$actual" = "$expected" ] || fail "\"$typed\": expected \"$expected\", got \"$actual\""
done <<'ROWS'
kvxconfig |--folder --help --version -V -h -listen check help launch motd set show version
kvxconfig sh|show
kvxconfig -|--folder --help --version -V -h -listen
kvxconfig set Serv|ServerName= ServerPassword= ServerPort=
kvxconfig set ServerName = Night ServerP|ServerPassword= ServerPort=
kvxconfig set --|--folder --help
kvxconfig show -|--folder --help --json -h
kvxconfig launch --f|--folder --foreground
kvxconfig motd --|--folder --help --set
kvxconfig motd --set n|notes.txt
kvxconfig check --folder s|srv
kvxconfig --folder |srv
kvxconfig --folder srv s|set show
kvxconfig --folder srv -|
kvxconfig --folder srv set Max|MaxPlayers=
kvxconfig check now|
ROWS
[ "$failures" -eq 0 ] && echo "completion: every case passed"
exit "$failures"
