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
# One Wine server for the whole run, rather than one started and stopped for every test, with
# Wine's own background processes started now, away from CTest's pipes: started by the first test,
# they would hold its output open, and CTest would wait for them to end.
"$(wineserver_program)" -p
"$(wine64_program)" wineboot >/dev/null 2>&1 </dev/null

cd "$build_win"
# Wine passes no QT_* variable on to Windows programs, so the test programs choose the offscreen
# platform themselves (as they do on Linux when nothing else is asked for).
# Not run under Wine yet, and said so: these move the user's own folders through XDG_DATA_HOME and
# XDG_CONFIG_HOME, which Windows does not read. The per-user folder on Windows (%LOCALAPPDATA%\ZELKO6)
# and tests that can move it are still to come.
pending='^(OwnFilesFolder\.AProgramFolderThatTakesNoFileSendsThemToTheUsersDataFolderMadeForThem|UserCatalogueTest\..*|CliUserCatalogueTest\..*)$'
echo "Not run under Wine yet (the per-user folder on Windows is still to come): $pending" >&2
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j "$(nproc)" -E "$pending" "$@"
