#!/usr/bin/env bash
# Installs every Debian package that the build, the program and the tests need, and any further
# ones named as arguments (a script that needs more, such as the ThreadSanitizer build, names
# them). Idempotent: nothing is downloaded when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-qpa-plugins qt6-translations-l10n
  qt6-tools-dev qt6-l10n-tools
  libgl-dev libglx-dev
  libgtest-dev libgmock-dev googletest
  xvfb xauth xdg-utils fonts-ipafont-gothic
  python3 python3-intelhex srecord binutils
  clang clang-format
  dpkg-dev desktop-file-utils appstream lintian bash-completion
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
