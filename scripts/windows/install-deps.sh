#!/usr/bin/env bash
# Installs what the Linux build needs plus what the Windows leg adds: the MinGW-w64 cross compiler,
# Wine to run the result, NSIS for the installer, and the tools that fetch and unpack Qt's sources.
set -euo pipefail
exec "$(dirname "$0")/../install-deps.sh" \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine wine64 nsis dpkg-dev xz-utils perl "$@"
