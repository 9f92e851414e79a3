#!/usr/bin/env bash
# Runs a program of the Windows build under Wine (64-bit), with Qt's and MinGW's DLLs on its
# path and Qt's plugins found; the cross build's CTest runs every test through it. The Wine
# prefix is $WINEPREFIX (scripts/windows/test.sh makes a scratch one), or build-win/wine, made on
# first use.
# Usage: scripts/windows/wine.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
export WINEPREFIX="${WINEPREFIX:-$root/build-win/wine}"
wine_prefix_ready
qt="$(qt_windows)"
runtime=()
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  runtime+=("$(windows_path "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")")")")
done
path="$(windows_path "$qt/bin")"
for folder in "${runtime[@]}"; do path="$path;$folder"; done
export WINEPATH="$path${WINEPATH:+;$WINEPATH}"
export QT_PLUGIN_PATH="$(windows_path "$qt/plugins")"
exec "$(wine64_program)" "$@"
