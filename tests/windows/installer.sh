#!/usr/bin/env bash
# The installer under Wine: a silent install (/S) puts the program folder, its DLLs, plugins,
# translations, catalogue and mark, the uninstaller and the Start-menu shortcut in place; the
# installed zelko6-cli.exe runs from there with nothing but that folder (no build paths); a silent
# uninstall takes all of it away again and leaves the user's own files in %LOCALAPPDATA%\ZELKO6.
#
# Usage: installer.sh INSTALLER.exe WORK   (WINEPREFIX: the run's scratch prefix)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
installer="$1" work="$2"
. "$root/scripts/windows/common.sh"
wine_prefix_ready
mkdir -p "$work"
failed=0
check() { # check WHAT COMMAND...
  local what="$1"
  shift
  if "$@"; then echo "ok:     $what"; else echo "FAILED: $what"; failed=1; fi
}
wine_run() { "$(wine64_program)" "$@" </dev/null; }
# NSIS's uninstaller copies itself away and returns at once; the folder goes when that copy ends.
# What is to come or go is waited for with a generous deadline.
wait_until() {
  local _
  for _ in $(seq 600); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

folder="$WINEPREFIX/drive_c/Program Files/ZELKO6"
user_folder="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Local/ZELKO6"
shortcuts() { find "$WINEPREFIX/drive_c" -iname 'ZELKO6*.lnk' 2>/dev/null; }

wine_run "$(windows_path "$(realpath "$installer")")" /S
installed=(zelko6.exe zelko6-cli.exe zelko6.ini zelko6_en.qm qtbase_ja.qm qtbase_en.qm qt.conf
  zelko6.installed Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6SerialPort.dll libstdc++-6.dll
  libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll Uninstall.exe)
check "the silent install finished (its uninstaller is in place)" wait_until test -f "$folder/Uninstall.exe"
for file in "${installed[@]}"; do
  check "installed: $file" test -s "$folder/$file"
done
check "a Start-menu shortcut: $(shortcuts | head -n 1 | sed "s|$WINEPREFIX/||")" test -n "$(shortcuts)"

# The installed program on its own: no WINEPATH to the build or the Qt kit.
version="$(WINEPATH= wine_run "$folder/zelko6-cli.exe" --version 2>&1 | tr -d '\r' || true)"
check "the installed zelko6-cli.exe runs from its folder alone: '$version'" grep -q '^zelko6-cli [0-9]' <<<"$version"
# An installed folder takes no file of the program's own: a conversion's image goes where asked,
# and the user's own catalogue is read from the per-user folder.
mkdir -p "$user_folder"
cp "$root/data/zelko6.ini" "$user_folder/zelko6.ini"
printf 'kept\n' >"$user_folder/note.txt"
listed="$(WINEPATH= wine_run "$folder/zelko6-cli.exe" --lang en list 2>&1 | tr -d '\r' || true)"
check "the installed zelko6-cli.exe reads the catalogue" grep -q '24C1024' <<<"$listed"

wine_run "$folder/Uninstall.exe" /S
gone() { [ ! -e "$folder" ] && [ -z "$(shortcuts)" ]; }
check "the silent uninstall removed the program folder and the shortcut" wait_until gone
if [ -e "$folder" ]; then
  echo "left behind:" >&2
  find "$folder" >&2
fi
check "the user's files stay: $(ls "$user_folder" | tr '\n' ' ')" test -s "$user_folder/zelko6.ini" -a -s "$user_folder/note.txt"
exit $failed
