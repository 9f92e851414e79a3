# Sourced by the scripts in scripts/windows: where the Windows leg's pieces are.
#   ZELKO6_THIRD_PARTY   the third-party folder (default: ../shared/third_party beside the checkout)
#   ZELKO6_QT_WINDOWS    the Qt for Windows (default: build-win/qt-VERSION, made by build-qt.sh)
#   ZELKO6_BUILD_WINDOWS the cross build (default: build-win/zelko6)
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
third_party="${ZELKO6_THIRD_PARTY:-$root/../shared/third_party}"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
build_win="${ZELKO6_BUILD_WINDOWS:-$root/build-win/zelko6}"
# The host tools (moc, rcc, uic, lrelease) are the system's Qt, so the Windows Qt is the same version.
qt_package_version() { dpkg-query -W -f='${Version}' qt6-base-dev-tools; }
qt_upstream_version() {
  local version
  version="$(qt_package_version)"
  version="${version#*:}"
  echo "${version%%[+-]*}"
}
qt_windows() { echo "${ZELKO6_QT_WINDOWS:-$root/build-win/qt-$(qt_upstream_version)}"; }
wine64_program() { command -v wine64 || echo /usr/lib/wine/wine64; }
wineserver_program() { command -v wineserver || echo /usr/lib/wine/wineserver64; }
# A Linux path as Windows programs under Wine see it, through the drive Z: that is the root.
windows_path() { echo "Z:${1//\//\\}"; }
# Makes the prefix $WINEPREFIX when it is not there yet: quietly, without a display, and without
# the offers to install Mono and Gecko that nothing here needs. Wine's debugger stays off: a program
# that crashes ends (and its test fails) instead of waiting in the debugger.
wine_prefix_ready() {
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}"
  [ -e "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$WINEPREFIX"
  DISPLAY= "$(wine64_program)" wineboot --init >/dev/null 2>&1
  "$(wineserver_program)" -w
}
# Maps COM$1 of the prefix $WINEPREFIX to the device $2 (a pseudo-terminal) through Wine's own port
# table, HKLM\Software\Wine\Ports: Wine makes the prefix's dosdevices\comN link from it and lists
# the port among the system's serial ports, both when its server starts, so the server is started
# anew (and kept running).
map_com_port() {
  local number="$1" device="$2" link
  "$root/scripts/windows/wine.sh" reg add 'HKLM\Software\Wine\Ports' /v "COM$number" /t REG_SZ /d "$device" /f \
    >/dev/null 2>&1 </dev/null
  "$(wineserver_program)" -k >/dev/null 2>&1 || true
  "$(wineserver_program)" -w >/dev/null 2>&1 || true
  "$(wineserver_program)" -p >/dev/null 2>&1
  "$(wine64_program)" wineboot >/dev/null 2>&1 </dev/null
  link="$(readlink "$WINEPREFIX/dosdevices/com$number" || true)"
  if [ "$link" != "$device" ]; then
    echo "COM$number is not mapped to $device in $WINEPREFIX/dosdevices (it leads to '${link:-nothing}')." >&2
    return 1
  fi
}
