#!/usr/bin/env bash
# Builds the program and its tests with ThreadSanitizer into build-tsan/ and runs the suites that
# cross threads: the programmer and operations tests and the command line, whose zelko6-cli runs
# every operation through the link's own thread against the board simulator. Prints each suite's
# result and the count of reports; exits non-zero when any suite fails or any race is reported.
# The window's end-to-end tests are left out: they start the simulator with QProcess inside the
# test process, and Qt starts a child with a raw clone() the sanitizer does not follow; from then
# on it no longer sees the starting thread's locks and reports every hand-over after it.
# Usage: scripts/tsan.sh [extra ctest arguments]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
out="$root/build-tsan"
flags="-fsanitize=thread -g -O1"
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$out" -j "$(nproc)" --target \
  core_programmer_tests core_operations_tests e2e_transfer_tests cli_process_tests cli_pieces_tests \
  zelko6-cli zelko6-boardsim

# Qt's own libraries are not built with the sanitizer; what it cannot see inside them is listed,
# with the reason, in the suppressions file.
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 history_size=4 suppressions=$root/scripts/tsan.supp log_path=$out/tsan"
rm -f "$out"/tsan.*
cd "$out"
set +e
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -R '^(ExchangeTest|ConnectionCheckTest|WireElements|TransferArithmetic|OperationsTest|VerifyTest|Cli)' "$@"
status=$?
set -e
reports=$(cat "$out"/tsan.* 2>/dev/null | grep -c '^WARNING: ThreadSanitizer' || true)
echo "ThreadSanitizer reports: $reports (logs: $out/tsan.*)"
[ "$status" -eq 0 ] && [ "$reports" -eq 0 ]
