#!/usr/bin/env bash
# Builds Qt Core with ThreadSanitizer from the Debian source of the very version installed, and
# puts the library in DEST/lib (default: build-tsan/qtcore). With it on LD_LIBRARY_PATH, the
# system's Gui, Widgets and SerialPort run on an instrumented Core: the sanitizer then sees Qt's
# own locks (event queues, QThread, implicit sharing) instead of reporting every hand-over that
# goes through them. Built once per installed version; later runs reuse it.
#
# Two settings differ from Debian's build:
# - only Core is built, with the Core features Debian enables;
# - QProcess starts children with fork() (no CLONE_PIDFD). Qt otherwise uses a vfork-like clone
#   whose child runs in the parent's memory, where the sanitizer's bookkeeping of the starting
#   thread is overwritten; every report after the first child started would be noise.
# Usage: scripts/tsan-qtcore.sh [DEST]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dest="${1:-$root/build-tsan/qtcore}"
version="$(dpkg-query -W -f='${Version}' libqt6core6)"
if [ -e "$dest/lib/libQt6Core.so.6" ] && [ "$(cat "$dest/version" 2>/dev/null)" = "$version" ]; then
  exit 0
fi

"$root/scripts/install-deps.sh" dpkg-dev libglib2.0-dev libicu-dev libpcre2-dev \
  libdouble-conversion-dev libb2-dev libzstd-dev zlib1g-dev

work="$dest/work"
rm -rf "$work"
mkdir -p "$work"
"$root/scripts/debian-source.sh" qt6-base "$version" "$work" "$work/qtbase"

multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
# The install folders are Debian's: the instrumented Core must find the system's plugins and
# translations where the system's own Core would.
cmake -S "$work/qtbase" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_FLAGS=-g1 -DCMAKE_CXX_FLAGS=-g1 -DECM_ENABLE_SANITIZERS=thread -DFEATURE_sanitize_thread=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_gui=OFF -DFEATURE_widgets=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_testlib=OFF \
  -DFEATURE_xml=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_mimetype_database=OFF -DFEATURE_doubleconversion=ON -DFEATURE_system_doubleconversion=ON \
  -DFEATURE_glib=ON -DFEATURE_icu=ON -DFEATURE_pcre2=ON -DFEATURE_system_pcre2=ON -DFEATURE_system_zlib=ON \
  -DFEATURE_system_libb2=ON -DFEATURE_rpath=OFF -DFEATURE_relocatable=OFF -DFEATURE_forkfd_pidfd=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DINSTALL_BINDIR=lib/qt6/bin -DINSTALL_LIBDIR="lib/$multiarch" \
  -DINSTALL_LIBEXECDIR=lib/qt6/libexec -DINSTALL_ARCHDATADIR="lib/$multiarch/qt6" -DINSTALL_DATADIR=share/qt6 \
  -DINSTALL_DOCDIR=share/qt6/doc -DINSTALL_SYSCONFDIR=/etc/xdg -DINSTALL_INCLUDEDIR="include/$multiarch/qt6" \
  -DINSTALL_PLUGINSDIR="lib/$multiarch/qt6/plugins" -DINSTALL_TRANSLATIONSDIR=share/qt6/translations \
  -DINSTALL_MKSPECSDIR="lib/$multiarch/qt6/mkspecs" -DINSTALL_EXAMPLESDIR="lib/$multiarch/qt6/examples" \
  >"$dest/configure.log"
cmake --build "$work/build" -j "$(nproc)" --target Core >"$dest/build.log"

mkdir -p "$dest/lib"
cp -P "$work/build/lib/$multiarch"/libQt6Core.so.6* "$dest/lib/" 2>/dev/null ||
  cp -P "$work/build/lib"/libQt6Core.so.6* "$dest/lib/"
echo "$version" >"$dest/version"
rm -rf "$work"
echo "Instrumented Qt Core $version in $dest/lib"
