#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program beside the sample catalogue.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
exe="$root/build/zelko6"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$exe" "$@"
fi
echo "No display found: starting the program on a virtual X server (xvfb-run)." >&2
exec xvfb-run -a "$exe" "$@"
