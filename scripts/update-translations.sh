#!/usr/bin/env bash
# Brings every translation file up to date with the texts in the sources: new texts are added as
# unfinished, texts no longer in the sources are dropped. Run it after changing a text a user reads,
# then translate what it marks unfinished (Qt Linguist, or by hand).
#   scripts/update-translations.sh [LANGUAGE ...]     e.g. scripts/update-translations.sh de
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
# The same run of lupdate as the translations' test makes, so the files are what it checks.
exec python3 tests/translations/check_translations.py update . "$lupdate" "$@"
