#!/usr/bin/env bash
# Pictures of the Windows program under Wine, on a virtual X display: the program folder as the
# installer lays it out (cmake --install of the cross build), the window's picture tools put beside
# it. Saves, in Japanese and English: the main window, the open dialog (Qt's own, in the chosen
# language), the save dialog and the question before a file is replaced (zelko6-screenshots.exe);
# the port window with two simulated boards on COM1 (silent) and COM2 after "find the programmer"
# (zelko6-port-screenshot.exe); and the whole screen with zelko6.exe itself just started.
# Usage: scripts/windows/screenshots.sh [OUT-DIR]   (default build-win/screenshots)
set -euo pipefail
. "$(dirname "$0")/common.sh"
out="$(realpath -m "${1:-$root/build-win/screenshots}")"
[ -n "${SKIP_BUILD:-}" ] || { "$root/scripts/build.sh" >/dev/null && "$root/scripts/windows/build.sh"; }
mkdir -p "$out"

work="$(mktemp -d "${TMPDIR:-/tmp}/zelko6-windows-screens.XXXXXX")"
export WINEPREFIX="$work/wine"
pids=()
finish() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$(wineserver_program)" -k 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

# The program folder as installed, with the picture tools beside the programs.
folder="$work/ZELKO6"
cmake --install "$build_win" --prefix "$folder" >/dev/null
cp "$build_win"/tools/zelko6-screenshots.exe "$build_win"/tools/zelko6-port-screenshot.exe "$folder/"
rm -f "$folder/zelko6.installed" # not marked: the tools' own files may go beside them

display=":$((100 + $$ % 100))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
export DISPLAY="$display"
wine_prefix_ready
"$(wineserver_program)" -p
export QT_QPA_PLATFORM=windows
run() { WINEPATH= "$(wine64_program)" "$@" </dev/null; }

run "$folder/zelko6-screenshots.exe" "$(windows_path "$folder")" "$(windows_path "$out")"

# Two boards: COM1 silent, COM2 answering.
sim="$root/build/tools/zelko6-boardsim"
"$sim" --link "$work/board-silent" --size-exp 8 --silent >"$work/silent.out" 2>&1 &
pids+=($!)
"$sim" --link "$work/board" --size-exp 17 >"$work/board.out" 2>&1 &
pids+=($!)
for link in "$work/board-silent" "$work/board"; do
  for _ in $(seq 100); do [ -e "$link" ] && break; sleep 0.1; done
done
map_com_port 1 "$(readlink "$work/board-silent")"
map_com_port 2 "$(readlink "$work/board")"
run "$folder/zelko6-port-screenshot.exe" "$(windows_path "$out/ports.png")"
echo "$out/ports.png"

# zelko6.exe itself, as a user starts it: the screen once its window is up.
run "$folder/zelko6.exe" >"$work/zelko6.out" 2>&1 &
pids+=($!)
for _ in $(seq 300); do
  xwininfo -root -tree 2>/dev/null | grep -q 'ZELKO6' && break
  sleep 0.2
done
sleep 2 # the first paint after the window is mapped
xwd -root -silent | convert xwd:- "$out/zelko6-started.png"
echo "$out/zelko6-started.png"
