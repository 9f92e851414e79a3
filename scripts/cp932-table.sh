#!/usr/bin/env bash
# Writes tests/core/text/cp932.table anew from the Linux build's code page 932 conversion (ICU's
# windows-31j through Qt): the table every platform's build is tested against.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
"$root/build/tests/core/text/cp932-table" "$root/tests/core/text/cp932.table"
echo "Wrote tests/core/text/cp932.table"
