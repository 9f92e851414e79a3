#!/usr/bin/env bash
# Builds one record reader's libFuzzer target with clang (address and undefined-behaviour
# sanitizers) and runs it for a bounded time or number of executions, then prints the executions
# and crashes.
# Usage: scripts/fuzz.sh intelhex|srecord [seconds] [executions]   (default 60 s, no count limit)
# Everything goes to build-fuzz/TARGET/ : the executable, the growing corpus, crash inputs and the log.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:-}"
seconds="${2:-60}"
runs="${3:--1}"
case "$target" in
  intelhex | srecord) ;;
  *) echo "usage: $0 intelhex|srecord [seconds] [executions]" >&2; exit 2 ;;
esac
out="$root/build-fuzz/$target"
mkdir -p "$out/corpus" "$out/crashes"

command -v clang++ >/dev/null || { echo "clang++ is missing: run scripts/install-deps.sh" >&2; exit 2; }
# Qt 6 is built with reduced relocations, so everything that includes it must be position independent.
read -r -a qt_cflags <<<"$(pkg-config --cflags Qt6Core)"
read -r -a qt_libs <<<"$(pkg-config --libs Qt6Core)"

echo "Building $out/fuzz_$target"
files="$root/src/core/files"
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root/src" "${qt_cflags[@]}" \
  "$root/tests/core/files/fuzz/fuzz_$target.cpp" \
  "$files/IntelHex.cpp" "$files/SRecord.cpp" "$files/HexRecords.cpp" "$files/AtomicSave.cpp" \
  "$root/src/core/text/HexText.cpp" \
  "${qt_libs[@]}" -o "$out/fuzz_$target"

# Seeds: the first byte picks the chip size, the second the piece size, then the file.
seed() { printf "$2" >"$out/corpus/seed-$1"; }
if [ "$target" = intelhex ]; then
  seed crlf '\x03\x07:020000040000FA\r\n:0400100001020304E2\r\n:00000001FF\r\n'
  seed lf '\x1f\x01:020000040001F9\n:03FFFF00010203FB\n:00000001FF\n:0100000011EE\n'
  seed cr '\x03\x05:0100800033\r:02000004800078\r:0100000011\r'
  seed short '\x00\x02:03001400A\r\n:0\r\n:02001200G1zZ\r\nnot a record\r\n'
else
  seed crlf '\x03\x07S00900005A454C4B4F363B\r\nS107001001020304DE\r\nS9030000FC\r\n'
  seed lf '\x1f\x01S206010010AABB83\nS30600000020CC0D\nS804000000FB\nS5030003F9\n'
  seed cr '\x03\x05S104008033\rS306FFFFFFF022\rS70500000000FA\r'
  seed short '\x00\x02S1070010010\r\nS105\r\ns1050020abcd\r\nS40600000030EE\r\nnot a record\r\n'
fi

echo "Fuzzing for $seconds s (executions: $([ "$runs" -ge 0 ] && echo "$runs" || echo "no limit"))"
set +e
"$out/fuzz_$target" -max_total_time="$seconds" -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$out/crashes/" -print_final_stats=1 "$out/corpus" >"$out/fuzz.log" 2>&1
status=$?
set -e

executed=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/fuzz.log" | grep -o '[0-9]*$' || true)
[ -n "$executed" ] || executed=$(grep -o 'Done [0-9]* runs' "$out/fuzz.log" | grep -o '[0-9]*' | tail -1 || true)
crashes=$(find "$out/crashes" -type f | wc -l)
echo "executions: ${executed:-unknown}"
echo "corpus files: $(find "$out/corpus" -type f | wc -l)"
echo "crash inputs in $out/crashes: $crashes"
echo "fuzzer exit status: $status (log: $out/fuzz.log)"
if [ "$status" -ne 0 ] || [ "$crashes" -ne 0 ]; then
  grep -m 20 -E 'ERROR|SUMMARY|runtime error|deadly signal' "$out/fuzz.log" || true
  exit 1
fi
