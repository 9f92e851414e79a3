#!/usr/bin/env bash
# Pictures of the Windows build under Wine on a virtual X display, in Japanese and English, from a
# program folder laid out as the installer lays it out (cmake --install of the cross build):
#   desktop-LANG  zelko6.exe itself started in Wine's own desktop, the whole desktop pictured;
#   main-, open-, save-, overwrite-LANG  the main window and Qt's own dialogs in the chosen
#                 language, drawn by the picture tools beside the program on Wine's display;
#   ports-LANG    the port window after "find the programmer", with the board simulator (the
#                 Linux build) on COM3.
# Usage: scripts/windows/screenshots.sh [OUT-DIR]   (default build-win/screenshots)
# Needs Xvfb, xwininfo, xwd and netpbm (xwdtopnm, pnmtopng).
set -euo pipefail
. "$(dirname "$0")/common.sh"
out="$(realpath -m "${1:-$root/build-win/screenshots}")"
[ -n "${SKIP_BUILD:-}" ] || "$root/scripts/windows/build.sh"
mkdir -p "$out"

work="$(mktemp -d "${TMPDIR:-/tmp}/zelko6-windows-screens.XXXXXX")"
export WINEPREFIX="$work/wine"
xvfb=""
board=""
finish() {
  [ -z "$board" ] || kill "$board" 2>/dev/null || true
  "$(wineserver_program)" -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

folder="$work/ZELKO6"
cmake --install "$build_win" --prefix "$folder" >/dev/null
rm -f "$folder/zelko6.installed" # its own files may go beside it

display=":$((100 + $$ % 100))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
export DISPLAY="$display"
wine_prefix_ready

# Waits (generously) until a window whose name holds $1 is on the display.
window_up() {
  local _
  for _ in $(seq 120); do
    xwininfo -root -tree 2>/dev/null | grep -q "$1" && return 0
    sleep 0.5
  done
  echo "no window '$1' came up" >&2
  return 1
}
picture() {
  sleep 2 # its first paint
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$out/$1.png"
  echo "$out/$1.png"
}

"$root/scripts/build.sh" >/dev/null
for tool in zelko6-screenshots zelko6-port-screenshot; do cp "$build_win/tools/$tool.exe" "$folder/"; done
"$root/build/tools/zelko6-boardsim" --link "$work/board" --size-exp 17 >"$work/board.out" 2>&1 &
board=$!
for _ in $(seq 100); do
  [ -e "$work/board" ] && break
  sleep 0.1
done
map_com_port 3 "$(readlink "$work/board")" >/dev/null
"$root/scripts/windows/wine.sh" "$folder/zelko6-screenshots.exe" -platform windows "$(windows_path "$folder")" \
  "$(windows_path "$out")" 2>/dev/null </dev/null

for language in ja en; do
  "$root/scripts/windows/wine.sh" reg add 'HKCU\Software\ZELKO6\ZELKO6\Settings' /v Language /t REG_SZ \
    /d "$language" /f >/dev/null 2>&1 </dev/null
  "$root/scripts/windows/wine.sh" "$folder/zelko6-port-screenshot.exe" -platform windows \
    "$(windows_path "$out/ports-$language.png")" "$language" 2>/dev/null </dev/null
  # Wine's own desktop: without a window manager on the display, the windows are drawn inside it.
  WINEPATH= "$(wine64_program)" explorer /desktop=zelko6,1280x800 "$(windows_path "$folder/zelko6.exe")" \
    >"$work/zelko6-$language.out" 2>&1 </dev/null &
  desktop=$!
  window_up '"ZELKO6'
  sleep 8 # the splash window gives way to the main window
  picture "desktop-$language"
  "$(wineserver_program)" -k 2>/dev/null || true
  wait "$desktop" 2>/dev/null || true
done
