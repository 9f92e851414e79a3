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
# Not run under Wine yet, and said so, each group with its reason:
# - the user's own folders: the tests move them through HOME, XDG_DATA_HOME and XDG_CONFIG_HOME,
#   which Windows does not read; the per-user folders on Windows (%LOCALAPPDATA%\ZELKO6, the
#   documents folder) and tests that can move them are still to come;
# - the window's size: Wine has none of the Japanese fonts the window names, and with its fallback
#   the hex grid is wider than on Linux, so the window outgrows the tests' 1366-pixel screen (the
#   start-up positions are then moved onto it, and the grid needs a scroll bar);
# - whether a display is there: the check is about X11 and Wayland, which Windows does not have.
pending_reasons=(
  'OwnFilesFolder\.(AProgramFolderThatTakesNoFileSendsThemToTheUsersDataFolderMadeForThem|AnInstalledProgramFolderTakesNothingWhateverItsRights)'
  'UserCatalogueTest\..*' 'CliUserCatalogueTest\..*' 'FileDialogStart\.AnInstalledProgramStartsWhereTheUserKeepsFiles'
  'Startup\.(FirstRunOpensAtDefaultsWithTheFirstChipAndTheBoardWindow|BrokenOrOffScreenPositionsStillShowTheWindow)'
  'Startup\.(PositionsComeBackAfterCloseAndAMinimizedCloseKeepsThem|UnmovedWindowsSaveTheirStoredTwipsWithoutRoundingDrift)'
  '.*WindowFit\.AtFullSizeTheGridShowsEveryColumnWithoutAHorizontalScrollBar.*'
  'StartArguments\.AWindowNeedsADisplayForXcbOrACompositorForWaylandOnThePlatformsQtWillTry'
)
pending="^($(IFS='|'; echo "${pending_reasons[*]}"))$"
echo "Not run under Wine yet (see scripts/windows/test.sh for why): $pending" >&2
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j "$(nproc)" -E "$pending" "$@"
