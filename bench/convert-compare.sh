#!/usr/bin/env bash
# A 128 KiB image from raw binary to Intel HEX and back, each conversion a whole process (start-up
# included, as a script pays it), by zelko6-cli, srec_cat and objcopy; prints the median of each.
# Uses hyperfine when it is installed, otherwise a loop timed with date +%s%N.
# Usage: bench/convert-compare.sh [build-dir] [runs]      (defaults: build/ and 50 runs)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build}")"
runs="${2:-50}"
cli="$build/zelko6-cli"

[ -x "$cli" ] || { echo "$cli is missing: build the target zelko6-cli first" >&2; exit 2; }
for tool in srec_cat objcopy; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (Debian packages srecord, binutils)" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
head -c 131072 /dev/urandom >"$work/img.bin"

tools=(zelko6-cli srec_cat objcopy)
declare -A to_hex back
to_hex[zelko6-cli]="$cli convert $work/img.bin $work/zelko6-cli.hex --size 131072"
back[zelko6-cli]="$cli convert $work/zelko6-cli.hex $work/zelko6-cli.bin --size 131072"
to_hex[srec_cat]="srec_cat $work/img.bin -binary -o $work/srec_cat.hex -intel -output_block_size=16"
back[srec_cat]="srec_cat $work/srec_cat.hex -intel -o $work/srec_cat.bin -binary"
to_hex[objcopy]="objcopy -I binary -O ihex $work/img.bin $work/objcopy.hex"
back[objcopy]="objcopy -I ihex -O binary $work/objcopy.hex $work/objcopy.bin"

# Each tool must really do the job before its time means anything.
for tool in "${tools[@]}"; do
  ${to_hex[$tool]} >/dev/null 2>&1
  ${back[$tool]} >/dev/null 2>&1
  cmp -s "$work/img.bin" "$work/$tool.bin" || { echo "$tool: the round trip changed the image" >&2; exit 1; }
done

# Median wall time of one command in milliseconds.
median_ms() {
  local command="$1"
  if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 3 --runs "$runs" --style none --export-json "$work/run.json" -- "$command" >/dev/null 2>&1
    /usr/bin/python3 -c 'import json,sys; print("%.2f" % (json.load(open(sys.argv[1]))["results"][0]["median"] * 1e3))' \
      "$work/run.json"
    return
  fi
  local times=() start end
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    $command >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END {
    m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; printf "%.2f\n", m / 1000 }'
}

timer="a loop with date +%s%N"
command -v hyperfine >/dev/null && timer="$(hyperfine --version)"
echo "128 KiB raw binary -> Intel HEX -> raw binary, whole processes, median of $runs runs ($timer)"
printf '%-12s %12s %12s %12s\n' tool "bin->hex ms" "hex->bin ms" "sum ms"
for tool in "${tools[@]}"; do
  a=$(median_ms "${to_hex[$tool]}")
  b=$(median_ms "${back[$tool]}")
  printf '%-12s %12s %12s %12.2f\n' "$tool" "$a" "$b" "$(echo "$a + $b" | bc -l 2>/dev/null || awk "BEGIN { print $a + $b }")"
done
