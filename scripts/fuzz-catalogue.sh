#!/usr/bin/env bash
# The catalogue reader's fuzzing, from seeds in UTF-8 and then from seeds in code page 932:
# scripts/fuzz-catalogue.sh [seconds] [executions] (each run).
set -euo pipefail
"$(dirname "$0")/fuzz.sh" catalogue-utf8 "$@"
"$(dirname "$0")/fuzz.sh" catalogue-cp932 "$@"
