#!/usr/bin/env bash
# Builds every test with AddressSanitizer (LeakSanitizer included) and
# UndefinedBehaviorSanitizer in build-asan/ and runs them all. Any sanitizer report fails the
# run, even one from a child process (the editor under Xvfb) whose test did not notice it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SANITIZE_BUILD_DIR:-$root/build-asan}"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DSANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

# Every report also lands in a file named after the process, so none can go unseen.
reports="$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"

status=0
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" || status=1
if [ -n "$(ls -A "$reports")" ]; then
  for report in "$reports"/*; do
    echo "== $report"
    cat "$report"
  done
  echo "Sanitizer reports above: the sanitizer run fails."
  status=1
fi
exit $status
