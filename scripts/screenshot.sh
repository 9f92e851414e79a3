#!/usr/bin/env bash
# Starts the program on a virtual X server and saves a picture of its main window: screenshot.sh [out.png]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshot.png}")"
"$root/scripts/build.sh"
command -v xwd >/dev/null && command -v xwininfo >/dev/null && command -v pnmtopng >/dev/null || {
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq x11-apps x11-utils netpbm >/dev/null
}
export ZELKO6_SCREENSHOT_OUT="$out"
xvfb-run -a -s "-screen 0 1500x900x24" bash -c '
  config=$(mktemp -d); export XDG_CONFIG_HOME="$config"
  # No window manager here: put the board window beside the main window, not over it.
  mkdir -p "$config/ZELKO6"; printf "[Settings]\nMainLeft_Board=16000\n" > "$config/ZELKO6/ZELKO6.conf"
  "'"$root"'/build/zelko6" & pid=$!
  sleep "${SCREENSHOT_DELAY:-4}"
  id=$(xwininfo -root -tree | grep "Serial EEPROM Programmer" | awk "{print \$1}" | head -n 1)
  xwd -id "$id" -silent | xwdtopnm 2>/dev/null | pnmtopng > "$ZELKO6_SCREENSHOT_OUT"
  kill $pid; rm -rf "$config"'
echo "saved $out"
