#!/bin/sh
# Fails when the English interface is behind the sources: lupdate over the sources
# finds a text without a translation (unfinished), or a translation whose text the
# sources no longer use (vanished). Usage: check-translations.sh LUPDATE SOURCE_DIR
set -eu
lupdate=$1
top=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$top/translations/vantrell_en.ts" "$work/vantrell_en.ts"
cd "$top"
"$lupdate" -silent app output shape ui -ts "$work/vantrell_en.ts"
behind=$(grep -c -E 'type="(unfinished|vanished|obsolete)"' "$work/vantrell_en.ts" || true)
if [ "$behind" -ne 0 ]; then
    echo "translations/vantrell_en.ts is behind the sources in $behind texts:"
    grep -B3 -E 'type="(unfinished|vanished|obsolete)"' "$work/vantrell_en.ts" | grep '<source>'
    echo "Bring it up to date (cmake --build BUILD --target update_translations) and translate them."
    exit 1
fi
echo "every text of the sources has its English translation"
