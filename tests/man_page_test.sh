#!/usr/bin/env bash
# The manual page: man renders it, groff warns about nothing in it, and it
# names every command, option and setting key that kvxconfig --help names.
#   tests/man_page_test.sh KVXCONFIG SOURCE-FOLDER
set -uo pipefail
page=$2/docs/kvxconfig.1 failures=0
fail() { printf 'FAIL %s\n' "$1" >&2; failures=$((failures + 1)); }
# Wide enough that no line is broken, so no word is hyphenated.
rendered=$(MANWIDTH=1000 man -l "$page" 2>&1 | col -b)
[[ $rendered == *"kvxconfig - configure"* ]] || fail "man -l rendered no NAME section: $rendered"
warnings=$(groff -ww -man -z "$page" 2>&1)
[ -z "$warnings" ] || fail "groff warns: $warnings"
# Commands (the word after "kvxconfig" on a usage line, or after "|"),
# options (words starting with - in the usage lines and notes) and the keys
# (the list after "Keys, ...:" up to "set accepts:").
words=$("$1" --help | sed -nE '/^Keys/,/^set accepts:/{/^(Keys|set)/!{s/[ ,]+/\n/gp}}
    /^  kvxconfig/{s/^  kvxconfig ([a-z]+).*/\1/p;s/^  kvxconfig.*\| ([a-z]+).*/\1/p}'
    "$1" --help | grep -oE '(^|[ [|("])--?[A-Za-z][A-Za-z-]*' | grep -oE -- '--?[A-Za-z][A-Za-z-]*')
[ "$(grep -c . <<< "$words")" -ge 30 ] || fail "too few words read from --help: $words"
for word in $(sort -u <<< "$words"); do
    grep -qE -- "(^|[^A-Za-z-])$word([^A-Za-z-]|\$)" <<< "$rendered" || fail "the manual does not name $word"
done
[ "$failures" -eq 0 ] && echo "man page: every case passed"
exit "$failures"
