#!/usr/bin/env bash
# Configures and builds everything into build/ (Ninja, release with debug information).
# ZELKO6_WERROR=ON in the environment makes every compiler warning an error (CI sets it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELKO6_WERROR="${ZELKO6_WERROR:-OFF}" >/dev/null
cmake --build "$root/build" -j "$(nproc)"
