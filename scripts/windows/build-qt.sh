#!/usr/bin/env bash
# Provides Qt for Windows (x86-64, MinGW-w64) for the cross build: qtbase with Core, Gui, Widgets,
# Test and the windows and offscreen platform plugins, and Serial Port. It is made once per Qt
# version into a cache folder outside git (build-win/qt-VERSION) and reused after that.
#
# Two ways to make it:
# - the kit: where the third-party folder holds qt-VERSION-mingw-w64-x86_64.tar.xz and its
#   sha256 is the one recorded below, it is unpacked (the kit is relocatable);
# - from source (always with --from-source): qtbase from Debian's source of the installed
#   qt6-base, Serial Port from the third-party folder's source tarball, built with the system's
#   Qt of the same version as host tools.
# Usage: scripts/windows/build-qt.sh [--from-source]
set -euo pipefail
. "$(dirname "$0")/common.sh"

from_source=0
[ "${1:-}" = "--from-source" ] && from_source=1

"$root/scripts/windows/install-deps.sh"
package_version="$(qt_package_version)"
version="$(qt_upstream_version)"
qt="$(qt_windows)"
stamp="$qt/zelko6-qt-version"
if [ -x "$qt/bin/qt-cmake" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$package_version" ]; then
  exit 0
fi

# The files of the third-party folder this script accepts, by their sha256.
declare -A known_sha256=(
  [qt-6.4.2-mingw-w64-x86_64.tar.xz]=a71f9ee3b2d093b27d6dacbb3a4b011319e19af6bffb0e360544a0ae4f1ab30b
  [qtserialport-everywhere-src-6.4.2.tar.xz]=682626d3ae07074df0f707dab880f1eab1c133a04d5bed688a3ec63af305ae89
)
checked() {
  local file="$third_party/$1"
  if [ ! -f "$file" ]; then
    echo "Missing: $file (set ZELKO6_THIRD_PARTY to the folder that holds it)." >&2
    return 1
  fi
  if [ -z "${known_sha256[$1]:-}" ]; then
    echo "No sha256 is recorded for $1 (Qt $version): add it to ${BASH_SOURCE[0]} after checking it." >&2
    return 1
  fi
  if [ "$(sha256sum <"$file" | cut -d' ' -f1)" != "${known_sha256[$1]}" ]; then
    echo "$file does not have the sha256 recorded for it; it is not used." >&2
    return 1
  fi
  echo "$file"
}

kit_name="qt-$version-mingw-w64-x86_64.tar.xz"
rm -rf "$qt"
mkdir -p "$(dirname "$qt")"
if [ $from_source -eq 0 ] && [ -e "$third_party/$kit_name" ]; then
  kit="$(checked "$kit_name")"
  mkdir -p "$qt"
  tar xJf "$kit" -C "$qt" --strip-components=1
  echo "$package_version" >"$stamp"
  echo "Qt $version for Windows unpacked from $kit into $qt"
  exit 0
fi

serialport="$(checked "qtserialport-everywhere-src-$version.tar.xz")"
work="$qt.work"
rm -rf "$work"
mkdir -p "$work/serialport"
echo "Building Qt $version for Windows from source in $work (logs there); this takes a while."
"$root/scripts/debian-source.sh" qt6-base "$package_version" "$work" "$work/qtbase"
tar xJf "$serialport" -C "$work/serialport" --strip-components=1

# The toolchain file travels with the Qt it built: Qt's own toolchain file chain-loads it.
mkdir -p "$qt"
cp "$toolchain" "$qt/mingw-w64-x86_64.cmake"
log() { echo "$work/$1.log"; }
step() {
  local name="$1"
  shift
  if ! "$@" >"$(log "$name")" 2>&1; then
    tail -n 30 "$(log "$name")" >&2
    echo "Qt for Windows: $name failed; the whole log is $(log "$name")." >&2
    exit 1
  fi
}
# Without ICU: code page 932 goes through the system's own conversion on Windows. Debian's source
# leaves out src/3rdparty/wintab, hence no tablet events; the windows platform plugin of this
# version does not compile without OpenGL, hence desktop OpenGL through MinGW's opengl32.
step qtbase-configure cmake -S "$work/qtbase" -B "$work/qtbase-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF \
  -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_icu=OFF -DFEATURE_opengl=ON \
  -DFEATURE_opengl_desktop=ON -DFEATURE_tabletevent=OFF -DFEATURE_system_zlib=OFF \
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_doubleconversion=OFF
step qtbase-build cmake --build "$work/qtbase-build" -j "$(nproc)"
step qtbase-install cmake --install "$work/qtbase-build"
step serialport-configure "$qt/bin/qt-cmake" -S "$work/serialport" -B "$work/serialport-build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release
step serialport-build cmake --build "$work/serialport-build" -j "$(nproc)"
step serialport-install cmake --install "$work/serialport-build"

echo "$package_version" >"$stamp"
rm -rf "$work"
echo "Qt $version for Windows built into $qt"
