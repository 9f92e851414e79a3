#!/usr/bin/env bash
# Installs what the Linux build needs plus what the Windows leg adds: the MinGW-w64 cross compiler,
# Wine to run the result, NSIS and icotool for the installer and the program's icon, Qt's own
# translations (the same data on every platform) for the program folder, and the tools that fetch
# and unpack Qt's sources.
set -euo pipefail
exec "$(dirname "$0")/../install-deps.sh" \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine wine64 nsis icoutils qt6-translations-l10n dpkg-dev xz-utils perl "$@"
