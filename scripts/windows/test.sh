#!/usr/bin/env bash
# Builds the Windows leg (scripts/windows/build.sh) and runs its unit and window suites under Wine
# through CTest, on Qt's offscreen platform, in a scratch Wine prefix made for this run and removed
# after it. No display is needed. Arguments go to ctest (for example -R core_ to run a few).
set -euo pipefail
. "$(dirname "$0")/common.sh"
"$root/scripts/windows/build.sh"

WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/zelko6-wine.XXXXXX")"
export WINEPREFIX
finish() {
  "$(wineserver_program)" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap finish EXIT
unset DISPLAY WAYLAND_DISPLAY
wine_prefix_ready
# One Wine server for the whole run, rather than one started and stopped for every test.
"$(wineserver_program)" -p

cd "$build_win"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "$@"
