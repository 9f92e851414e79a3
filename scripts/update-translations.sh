#!/usr/bin/env bash
# Brings translations/*.ts up to date with every text in src/ (lupdate), keeping what is already
# translated. New texts arrive unfinished: translate each before committing (the translations
# test fails while any is unfinished or missing).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || lupdate=$(command -v lupdate6 || command -v lupdate)
cd "$root"
"$lupdate" -locations none -no-obsolete -source-language ja_JP -target-language en src -ts translations/zelko6_en.ts
