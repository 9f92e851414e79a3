#!/usr/bin/env bash
# The Intel HEX reader's fuzzing: scripts/fuzz.sh intelhex [seconds] [executions].
exec "$(dirname "$0")/fuzz.sh" intelhex "$@"
