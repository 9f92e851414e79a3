#!/usr/bin/env bash
# Saves pictures of the main window, the file-open dialog, the save dialog and the question before
# a file is replaced, in Japanese and in English: screenshot-languages.sh [out-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshots}")"
"$root/scripts/build.sh"
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$root/build/tools/zelko6-screenshots" "$root/build" "$out"
