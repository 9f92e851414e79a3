#!/usr/bin/env bash
# Cross-builds ZELKO6 for 64-bit Windows into build-win/zelko6: zelko6.exe, zelko6-cli.exe and
# the tests, against the Qt for Windows of build-qt.sh and a GoogleTest built from Debian's
# source (the googletest package). The tests run under Wine: scripts/windows/test.sh.
set -euo pipefail
. "$(dirname "$0")/common.sh"
"$root/scripts/windows/build-qt.sh" "$@"
qt="$(qt_windows)"
# Qt's toolchain file finds Qt for Windows and the host tools; ours chooses the compiler.
cmake -S "$root" -B "$build_win" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
  -DZELKO6_GOOGLETEST_SOURCE_DIR=/usr/src/googletest \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/windows/wine.sh" >/dev/null
cmake --build "$build_win" -j "$(nproc)"
