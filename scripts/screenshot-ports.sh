#!/usr/bin/env bash
# Saves a picture of the port window with two simulated boards on ports 1 and 2 (the first silent,
# the second answering) after "find the programmer" has run: screenshot-ports.sh [out.png]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshot-ports.png}")"
[ -n "${SKIP_BUILD:-}" ] || "$root/scripts/build.sh"
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
sim="$root/build/tools/zelko6-boardsim"
"$sim" --link "$work/board-silent" --size-exp 8 --silent >"$work/silent.out" & pids+=($!)
"$sim" --link "$work/board" --size-exp 17 >"$work/board.out" & pids+=($!)
for link in "$work/board-silent" "$work/board"; do
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  [ -e "$link" ] || { echo "simulator did not start: $link" >&2; exit 1; }
done
# Ports 3 to 20 lead nowhere, so that the machine's own ports stay out of the picture.
for n in $(seq 3 20); do export "ZELKO6_COM$n=$work/none$n"; done
ZELKO6_COM1="$work/board-silent" ZELKO6_COM2="$work/board" QT_QPA_PLATFORM=offscreen \
  "$root/build/tools/zelko6-port-screenshot" "$out"
