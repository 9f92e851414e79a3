#!/usr/bin/env bash
# Saves pictures of a 1366x768 laptop screen with the Japanese window just started on it, at 100 %,
# 125 % and 150 %, the largest chip chosen: the whole grid and the status bar should be on the
# screen (and at 100 % no horizontal scroll bar): screenshot-fit.sh [out-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshots}")"
[ -n "${SKIP_BUILD:-}" ] || "$root/scripts/build.sh"
mkdir -p "$out"
for scale in 100 125 150; do
  # A desktop at 125 % tells Qt to scale by 1.25, as QT_SCALE_FACTOR does here.
  QT_SCALE_FACTOR="$(printf '%d.%02d' $((scale / 100)) $((scale % 100)))" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1366x768x24" \
    "$root/build/tools/zelko6-fit-screenshot" "$root/build" "$out/fit-ja-$scale.png" 24C1024
done
