#!/usr/bin/env bash
# Brings every translation file up to date with the texts in the sources: new texts are added as
# unfinished, texts no longer in the sources are dropped. Run it after changing a text a user reads,
# then translate what it marks unfinished (Qt Linguist, or by hand).
#   scripts/update-translations.sh [LANGUAGE ...]     e.g. scripts/update-translations.sh de
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
languages=("$@")
if [ ${#languages[@]} -eq 0 ]; then
    for d in translations/*/; do languages+=("$(basename "$d")"); done
fi

grep -v '^#' translations/parts.txt | while read -r part folders; do
    [ -n "$part" ] || continue
    for lang in "${languages[@]}"; do
        mkdir -p "translations/$lang"
        # -I . finds the headers the sources include from the top, which name the classes' contexts.
        # shellcheck disable=SC2086
        "$lupdate" -silent -locations none -no-obsolete -extensions cpp,h -I . \
            -tr-function-alias QT_TRANSLATE_NOOP+=AV_TRANSLATE_NOOP \
            -source-language en -target-language "$lang" \
            $folders -ts "translations/$lang/$part.ts"
    done
done
