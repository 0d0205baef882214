#!/usr/bin/env bash
# The manual page: man renders it, groff warns about nothing in it, and it
# names every command, option and setting key that kvxconfig --help names.
#   tests/man_page_test.sh KVXCONFIG SOURCE-FOLDER
set -uo pipefail
tool=$1
page=$2/docs/kvxconfig.1
failures=0
fail() { printf 'FAIL %s\n' "$1" >&2; failures=$((failures + 1)); }

# Wide enough that no line is broken, so no word is hyphenated.
rendered=$(MANWIDTH=1000 man -l "$page" 2>&1 | col -b) || fail "man -l $page failed: $rendered"
case "$rendered" in *"kvxconfig - configure"*) ;; *) fail "man -l rendered no NAME section: $rendered" ;; esac
warnings=$(groff -ww -man -z "$page" 2>&1)
[ -z "$warnings" ] || fail "groff warns: $warnings"

help=$("$tool" --help) || fail "kvxconfig --help failed"
# Commands (the word after "kvxconfig" on a usage line), options (words
# starting with - in the usage lines and notes) and the keys (the list after
# "Keys, ...:" up to "set accepts:").
words=$(
    printf '%s\n' "$help" | grep -oE '^  kvxconfig [a-z]+' | cut -d' ' -f4
    printf '%s\n' "$help" | grep -E '^  kvxconfig' | grep -oE '\| [a-z]+' | cut -c3-
    printf '%s\n' "$help" | grep -oE '(^|[ [|("])--?[A-Za-z][A-Za-z-]*' | grep -oE -- '--?[A-Za-z][A-Za-z-]*'
    printf '%s\n' "$help" | sed -n '/^Keys/,/^set accepts:/p' | sed '1d;$d' | tr ',' '\n' | tr -d ' '
)
[ "$(printf '%s\n' "$words" | grep -c .)" -ge 30 ] || fail "too few words read from --help: $words"
for word in $(printf '%s\n' "$words" | sort -u); do
    grep -qE -- "(^|[^A-Za-z-])$word([^A-Za-z-]|\$)" <<< "$rendered" || fail "the manual does not name $word"
done

[ "$failures" -eq 0 ] && echo "man page: every case passed"
exit "$failures"
