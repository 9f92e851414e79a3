#!/usr/bin/env bash
# The S-record reader's fuzzing: scripts/fuzz.sh srecord [seconds] [executions].
exec "$(dirname "$0")/fuzz.sh" srecord "$@"
