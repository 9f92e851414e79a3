#!/usr/bin/env bash
# Renders the committed PNG icons from icons/zelko6.svg (run it after changing the drawing).
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/icons"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 2; }
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" zelko6.svg -o "zelko6-$size.png"
done
echo "rendered: $(ls zelko6-*.png | tr '\n' ' ')"
