#!/usr/bin/env bash
# The manual page of vantoli-plan: man formats it without a warning (as lintian checks it), and it
# names every option that the program's --help names, and no other.
# Usage: test_man_page.sh PAGE PROGRAM
set -euo pipefail
page="$1"
program="$2"

warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
if [ -n "$warnings" ]; then
    echo "man warns about $page:"; echo "$warnings"; exit 1
fi

help_options="$("$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)"
page_options="$(grep -oE -- '\\-\\-[a-z]([a-z]|\\-)*' "$page" | sed 's/\\-/-/g' | sort -u)"
if [ "$help_options" != "$page_options" ]; then
    echo "--help and the manual page name different options (< help, > page):"
    diff <(echo "$help_options") <(echo "$page_options") || true
    exit 1
fi
echo "the manual page formats cleanly and names the $(wc -l <<<"$help_options") options of --help"
