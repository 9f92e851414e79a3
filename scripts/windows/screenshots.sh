#!/usr/bin/env bash
# Pictures of zelko6.exe under Wine on a virtual X display, in Japanese and English: the main
# window, the open dialog (Qt's own, in the chosen language) and the port window, each with the
# whole of Wine's desktop around it. The program folder is laid out as the installer lays it out
# (cmake --install of the cross build); the window is driven with xdotool as a user would click.
# Usage: scripts/windows/screenshots.sh [OUT-DIR]   (default build-win/screenshots)
# Needs Xvfb, xdotool, xwd and netpbm (xwdtopnm, pnmtopng).
set -euo pipefail
. "$(dirname "$0")/common.sh"
out="$(realpath -m "${1:-$root/build-win/screenshots}")"
[ -n "${SKIP_BUILD:-}" ] || "$root/scripts/windows/build.sh"
mkdir -p "$out"

work="$(mktemp -d "${TMPDIR:-/tmp}/zelko6-windows-screens.XXXXXX")"
export WINEPREFIX="$work/wine"
xvfb=""
finish() {
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
click() { xdotool mousemove "$1" "$2" click 1; }

for language in ja en; do
  "$root/scripts/windows/wine.sh" reg add 'HKCU\Software\ZELKO6\ZELKO6\Settings' /v Language /t REG_SZ \
    /d "$language" /f >/dev/null 2>&1 </dev/null
  # Wine's own desktop: without a window manager on the display, the windows are drawn inside it.
  QT_QPA_PLATFORM=windows WINEPATH= "$(wine64_program)" explorer /desktop=zelko6,1280x800 \
    "$(windows_path "$folder/zelko6.exe")" >"$work/zelko6-$language.out" 2>&1 </dev/null &
  desktop=$!
  window_up '"ZELKO6'
  sleep 8 # the splash window gives way to the main window
  picture "main-$language"
  click 558 192 # 開く / Open
  sleep 10
  picture "open-$language"
  xdotool key Escape
  sleep 3
  click 558 228 # 通信ポート / COM port
  sleep 10
  picture "ports-$language"
  "$(wineserver_program)" -k 2>/dev/null || true
  wait "$desktop" 2>/dev/null || true
done
