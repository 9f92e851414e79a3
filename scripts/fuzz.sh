#!/usr/bin/env bash
# Builds one reader's libFuzzer target with clang (address and undefined-behaviour sanitizers) and
# runs it for a bounded time or number of executions, then prints the executions and crashes. The
# readers: the Intel HEX and S-record readers, and the catalogue reader, started once from seeds in
# UTF-8 and once from seeds in code page 932 (the two encodings it tells apart).
# Usage: scripts/fuzz.sh intelhex|srecord|catalogue-utf8|catalogue-cp932 [seconds] [executions]
#        (default 60 s, no count limit)
# Everything goes to build-fuzz/TARGET/ : the executable, the growing corpus, crash inputs and the log.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:-}"
seconds="${2:-60}"
runs="${3:--1}"
src="$root/src"
case "$target" in
  intelhex | srecord)
    fuzz_source="$root/tests/core/files/fuzz/fuzz_$target.cpp"
    sources=("$src/core/files/IntelHex.cpp" "$src/core/files/SRecord.cpp" "$src/core/files/HexRecords.cpp"
      "$src/core/files/AtomicSave.cpp" "$src/core/text/HexText.cpp")
    ;;
  catalogue-utf8 | catalogue-cp932)
    fuzz_source="$root/tests/core/devices/fuzz/fuzz_catalogue.cpp"
    sources=("$src/core/devices/DeviceFile.cpp" "$src/core/text/CodePage932.cpp" "$src/core/base/PathKind.cpp")
    ;;
  *) echo "usage: $0 intelhex|srecord|catalogue-utf8|catalogue-cp932 [seconds] [executions]" >&2; exit 2 ;;
esac
out="$root/build-fuzz/$target"
mkdir -p "$out/corpus" "$out/crashes"

command -v clang++ >/dev/null || { echo "clang++ is missing: run scripts/install-deps.sh" >&2; exit 2; }
# Qt 6 is built with reduced relocations, so everything that includes it must be position independent.
read -r -a qt_cflags <<<"$(pkg-config --cflags Qt6Core)"
read -r -a qt_libs <<<"$(pkg-config --libs Qt6Core)"

echo "Building $out/fuzz_$target"
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$src" "${qt_cflags[@]}" "$fuzz_source" "${sources[@]}" "${qt_libs[@]}" -o "$out/fuzz_$target"

# Seeds of the record readers: the first byte picks the chip size, the second the piece size, then
# the file. The catalogue's seeds are whole files: the sample and a few lines.
seed() { printf "$2" >"$out/corpus/seed-$1"; }
sample="$root/data/zelko6.ini"
if [ "$target" = catalogue-cp932 ]; then
  cp "$sample" "$out/corpus/seed-sample"
  seed kana 'Ver 1\r\nX1 \xb1\xc4\xde\xda\xbd 2 4 8 0 0 \x82\x60\x81\x60\x89\xf1\r\n;\x83\x81\x83\x82\rY=y 3 7'
elif [ "$target" = catalogue-utf8 ]; then
  iconv -f CP932 -t UTF-8 "$sample" >"$out/corpus/seed-sample"
  { printf '\xef\xbb\xbf'; cat "$out/corpus/seed-sample"; } >"$out/corpus/seed-sample-bom"
  seed kana 'Ver 1\r\nX1 \xef\xbd\xb1\xef\xbe\x84 2 4 8 0 0 \xe5\x9b\x9e\xef\xbd\x9e\r\n;\xe3\x83\xa1\rY=y 3 7'
elif [ "$target" = intelhex ]; then
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
