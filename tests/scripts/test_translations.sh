#!/usr/bin/env bash
# Every text of the program has its English: lupdate run over the windows' sources finds no text that
# translations/vantoli_en.ts leaves unfinished, and xgettext run over the core, the command line, the
# devices and the sound finds no text that translations/core_en.po leaves untranslated or fuzzy, and
# the catalogue compiled into the program holds every translated entry of the .po. Names each text
# missing.
# Usage: test_translations.sh SOURCE_DIR LUPDATE COMPILED_CATALOGUE
set -euo pipefail
root="$1"
lupdate="$2"
compiled="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0

# The windows: the same lupdate options as the update_translations target.
cp "$root/translations/vantoli_en.ts" "$work/vantoli_en.ts"
"$lupdate" -silent -tr-function-alias translate+=ja -no-obsolete -locations none \
    -I "$root/src" "$root"/src/gui/*.cpp "$root"/src/gui/*.h "$root"/src/app/*.cpp -ts "$work/vantoli_en.ts"
unfinished="$(awk '
    /<name>/ { gsub(/.*<name>|<\/name>.*/, ""); context = $0 }
    /<source>/ { source = $0; gsub(/.*<source>|<\/source>.*/, "", source) }
    /<translation type="unfinished"/ { print "  " context ": " source }
' "$work/vantoli_en.ts")"
if [ -n "$unfinished" ]; then
    echo "translations/vantoli_en.ts has no English for (run: cmake --build build --target update_translations):"
    echo "$unfinished"
    failed=1
fi

# The core and the command line.
(cd "$root" && xgettext --language=C++ --from-code=UTF-8 --keyword=_ --keyword=N_ --no-wrap \
    -o "$work/core.pot" src/core/*.cpp src/cli/*.cpp src/device/*.cpp src/audio/*.cpp 2>/dev/null)
msgmerge --quiet --no-fuzzy-matching --no-wrap "$root/translations/core_en.po" "$work/core.pot" -o "$work/core.po" 2>/dev/null
missing="$(msgattrib --untranslated --no-obsolete --no-wrap "$work/core.po" 2>/dev/null
    msgattrib --only-fuzzy --no-obsolete --no-wrap "$work/core.po" 2>/dev/null)"
missing="$(grep -E '^(#:|msgid)' <<<"$missing" | grep -v '^msgid ""$' || true)"
if [ -n "$missing" ]; then
    echo "translations/core_en.po has no English for:"
    echo "$missing"
    failed=1
fi

# Every translated entry made it into the program.
translated="$(LC_ALL=C msgfmt --statistics -o /dev/null "$root/translations/core_en.po" 2>&1 | grep -oE '^[0-9]+ translated' | grep -oE '[0-9]+')"
entries="$(grep -c '^    {' "$compiled")"
if [ "$translated" != "$entries" ]; then
    echo "core_en.po has $translated translated entries, the program $entries ($compiled)"
    failed=1
fi

[ "$failed" -eq 0 ] && echo "every text of the windows, the core and the command line has its English"
exit "$failed"
