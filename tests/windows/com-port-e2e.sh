#!/usr/bin/env bash
# End to end through a COM port. zelko6-cli.exe runs under Wine against the board simulator (the
# Linux build) on a pseudo-terminal that the Wine prefix maps to COM3; the Linux zelko6-cli runs
# the same commands against a second simulator. Each simulator logs every byte that crosses its
# line, and the two logs must be the same byte for byte, as must every file the two programs write.
# The commands: identify the board, write a random 128 KiB image (and verify it), read it back,
# verify it, and convert Intel HEX -> S-record -> binary -> Intel HEX.
#
# Usage: com-port-e2e.sh LINUX_BUILD WINDOWS_BUILD WORK
#   WINEPREFIX is the scratch prefix of the run; scripts/windows/wine.sh runs the Windows programs.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
linux_build="$1" windows_build="$2" work="$3"
. "$root/scripts/windows/common.sh"
mkdir -p "$work"
port=3
chip=24C1024

boards=()
finish_boards() {
  for pid in "${boards[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap finish_boards EXIT

# A simulated 128 KiB board on a pseudo-terminal named by the link WORK/NAME.link, logging to
# WORK/NAME.log.
start_board() {
  local name="$1"
  "$linux_build/tools/zelko6-boardsim" --link "$work/$name.link" --size-exp 17 --log "$work/$name.log" \
    >"$work/$name.out" 2>&1 &
  boards+=($!)
  for _ in $(seq 100); do
    [ -e "$work/$name.link" ] && return 0
    sleep 0.1
  done
  echo "The board simulator did not start: $work/$name.out" >&2
  cat "$work/$name.out" >&2
  return 1
}

head -c 131072 /dev/urandom >"$work/image.bin"
commands=(
  "identify --port $port"
  "write image.bin --chip $chip --port $port --log verify-after-write.txt"
  "read back.hex --chip $chip --port $port"
  "verify image.bin --chip $chip --port $port --log verify.txt"
  "convert back.hex back.s28 --chip $chip"
  "convert back.s28 back.bin --chip $chip"
  "convert back.bin again.hex --chip $chip"
)
written=(back.hex back.s28 back.bin again.hex)

# Runs every command in WORK/SIDE with the program given, stopping at the first that fails. The
# first, the connection check, takes seconds when the port works at all; the transfers of 128 KiB
# take minutes under Wine.
run_side() {
  local side="$1"
  shift
  mkdir -p "$work/$side"
  cp "$work/image.bin" "$work/$side/"
  local command limit=120
  for command in "${commands[@]}"; do
    echo "$side: zelko6-cli $command"
    # shellcheck disable=SC2086 # the command's words
    if ! (cd "$work/$side" && timeout "$limit" "$@" $command >>"$work/$side.out" 2>&1); then
      echo "$side: 'zelko6-cli $command' failed; what it said:" >&2
      tail -n 20 "$work/$side.out" >&2
      return 1
    fi
    limit=1800
  done
}

start_board linux
start_board windows
map_com_port "$port" "$(readlink "$work/windows.link")" >/dev/null

failed=0
ZELKO6_COM3="$work/linux.link" run_side linux "$linux_build/zelko6-cli" --lang en || failed=1
started=$(date +%s%N)
run_side windows "$root/scripts/windows/wine.sh" "$windows_build/zelko6-cli.exe" \
  --lang en || failed=1
elapsed=$((($(date +%s%N) - started) / 100000000))
echo "windows: the commands took $((elapsed / 10)).$((elapsed % 10)) s under Wine"
finish_boards
trap - EXIT

if cmp -s "$work/linux.log" "$work/windows.log"; then
  echo "The simulators' logs are the same: $(wc -c <"$work/linux.log") bytes, $(wc -l <"$work/linux.log") runs."
else
  echo "The simulators' logs differ (linux.log, windows.log in $work):" >&2
  diff <(cut -c1-120 "$work/linux.log") <(cut -c1-120 "$work/windows.log") | head -n 20 >&2 || true
  failed=1
fi
for file in "${written[@]}"; do
  if ! cmp -s "$work/linux/$file" "$work/windows/$file"; then
    echo "$file differs between the Linux and the Windows program (or one of them did not write it)." >&2
    failed=1
  fi
done
if ! cmp -s "$work/image.bin" "$work/windows/back.bin"; then
  echo "The image read back through COM3 is not the one written." >&2
  failed=1
fi
exit $failed
