#!/usr/bin/env bash
# Builds and packages the Windows leg (scripts/windows/package.sh) and runs it under Wine, in a
# scratch Wine prefix made for this run and removed after it:
#   ctest      the unit and window suites through CTest, on Qt's offscreen platform (no display);
#   e2e        zelko6-cli.exe against the board simulator (the Linux build in build/) on a
#              pseudo-terminal mapped to COM3: identify, write, read back and verify 128 KiB, convert
#              between the formats; the simulator's log must equal the Linux program's byte for byte;
#   console    zelko6-cli.exe's texts in a Windows console (code page 932) and through pipes, and
#              Ctrl-C (exit code 130, the port closed);
#   installer  a silent install and uninstall (the user's files stay).
# ZELKO6_WINDOWS_SUITES chooses among them (default: all four, in that order); arguments go to
# ctest (for example -R core_ to run a few). Each suite that fails is named at the end.
set -euo pipefail
. "$(dirname "$0")/common.sh"
"$root/scripts/build.sh" >/dev/null
"$root/scripts/windows/package.sh"
linux_build="${ZELKO6_BUILD_LINUX:-$root/build}"
suites="${ZELKO6_WINDOWS_SUITES:-ctest e2e console installer}"

WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/zelko6-wine.XXXXXX")"
export WINEPREFIX
work="$(mktemp -d "${TMPDIR:-/tmp}/zelko6-windows-test.XXXXXX")"
finish() {
  "$(wineserver_program)" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$work"
}
trap finish EXIT
unset DISPLAY WAYLAND_DISPLAY
wine_prefix_ready
# One Wine server for the whole run, rather than one started and stopped for every test, with
# Wine's own background processes started now, away from CTest's pipes: started by the first test,
# they would hold its output open, and CTest would wait for them to end.
"$(wineserver_program)" -p
"$(wine64_program)" wineboot >/dev/null 2>&1 </dev/null

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
run_suite() {
  local suite="$1"
  case "$suite" in
  ctest)
    echo "Not run under Wine yet (see scripts/windows/test.sh for why): $pending" >&2
    (cd "$build_win" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j "$(nproc)" -E "$pending" \
      "${ctest_arguments[@]}")
    ;;
  e2e) "$root/tests/windows/com-port-e2e.sh" "$linux_build" "$build_win" "$work/e2e" ;;
  console) python3 "$root/tests/windows/console-output.py" "$linux_build" "$build_win" "$work/console" ;;
  installer) "$root/tests/windows/installer.sh" "$(ls "$build_win"/zelko6-*-win64.exe)" "$work/installer" ;;
  *)
    echo "No such suite: $suite (ctest, e2e, console, installer)" >&2
    return 1
    ;;
  esac
}
ctest_arguments=("$@")
failed=()
for suite in $suites; do
  echo "=== Windows suite: $suite"
  run_suite "$suite" || failed+=("$suite")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Windows suites that failed: ${failed[*]}" >&2
  exit 1
fi
echo "Windows suites passed: $suites"
