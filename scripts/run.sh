#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program beside the sample catalogue, with the
# board simulator standing in for a programmer board on port 1 (no hardware needed).
# Set ZELKO6_COM1 yourself to use a real board instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
build="$root/build"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${ZELKO6_USE_XVFB:-}" ]; then
  # No screen to show a window on: show the main job on the command line instead, against the
  # board simulator (ZELKO6_USE_XVFB=1 starts the window on a virtual X server instead).
  echo "No display found: running the command-line demonstration against the board simulator." >&2
  exec "$build/zelko6-cli" demo --output "$build/zelko6-demo.hex"
fi

if [ -z "${ZELKO6_COM1:-}" ]; then
  chip="$build/simulated-chip.bin"   # the simulated chip keeps its contents between runs
  link="$build/simulated-board"
  args=(--link "$link" --size-exp 17 --save "$chip" --baud 57600)
  [ -f "$chip" ] && args+=(--image "$chip")
  "$build/tools/zelko6-boardsim" "${args[@]}" > "$build/simulated-board.out" &
  sim=$!
  trap 'kill $sim 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  export ZELKO6_COM1="$link"
  echo "Board simulator on $link (port 1)." >&2
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$build/zelko6" "$@"
else
  xvfb-run -a "$build/zelko6" "$@"
fi
