#!/usr/bin/env bash
# Builds the program and its tests with ThreadSanitizer into build-tsan/ and runs every suite that
# crosses threads: the programmer and operations tests, the window's end-to-end tests against the
# board simulator (the link on its own thread, the lock, closing during an operation, the firmware
# warning, the port search), the port window's own search, and the command line's, whose
# zelko6-cli runs every operation through the same link thread. Qt Core itself is instrumented too
# (scripts/tsan-qtcore.sh), so the sanitizer sees Qt's locks as well as ours and no report needs
# suppressing. Prints each suite's result and the count of reports; exits non-zero when any test
# fails or any race is reported.
# Usage: scripts/tsan.sh [extra ctest arguments]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
out="$root/build-tsan"
"$root/scripts/tsan-qtcore.sh" "$out/qtcore"

flags="-fsanitize=thread -g -O1"
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
targets=(core_programmer_tests core_programmer_link_tests core_programmer_ports_tests core_operations_tests
  e2e_transfer_tests e2e_limit_tests e2e_program_folder_tests e2e_port_search_tests gui_port_window_tests
  cli_pieces_tests cli_process_tests)
cmake --build "$out" -j "$(nproc)" --target "${targets[@]}" zelko6-cli zelko6-boardsim

# Every process, the simulators and zelko6-cli among them, runs on the instrumented Core.
export LD_LIBRARY_PATH="$out/qtcore/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 history_size=4 log_path=$out/tsan"
export QT_QPA_PLATFORM=offscreen
suites=$(for t in "${targets[@]}"; do
  "$(find "$out/tests" -name "$t" -type f -executable | head -n 1)" --gtest_list_tests
done | grep -v '^ ' | sed 's/\..*//' | sort -u | paste -sd '|')
rm -f "$out"/tsan.*
cd "$out"
set +e
ctest --output-on-failure -R "^($suites)\\." "$@"
status=$?
set -e
reports=$(cat "$out"/tsan.* 2>/dev/null | grep -c '^WARNING: ThreadSanitizer' || true)
echo "ThreadSanitizer reports: $reports (logs: $out/tsan.*)"
[ "$status" -eq 0 ] && [ "$reports" -eq 0 ]
