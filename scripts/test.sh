#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test (unit, component, e2e) with CTest.
# Extra arguments go to ctest, e.g. scripts/test.sh -L unit
#
# scripts/test.sh --sanitize: the sanitizer leg. Builds into build-asan (or
# $VELOMIRA_ASAN_BUILD_DIR) with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the unit and component tests; any sanitizer report, in a test or in
# a program a test starts, fails the run. Leaks inside fontconfig and Qt's font
# engine are suppressed (tests/sanitizers/lsan.supp).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--sanitize" ]; then
  build=${VELOMIRA_BUILD_DIR:-$root/build}
  "$root/scripts/setup.sh"
  "$root/scripts/build.sh"
  cd "$build"
  ctest --output-on-failure --parallel "$(nproc)" "$@"
  exit
fi

shift
build=${VELOMIRA_ASAN_BUILD_DIR:-$root/build-asan}
"$root/scripts/setup.sh"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELOMIRA_SANITIZE=ON \
  -DVELOMIRA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# Reports go to files as well, so that one from a child program is not lost
# in its output.
reports=$build/sanitizer-reports
rm -rf "$reports" && mkdir -p "$reports"
# Full allocation stacks (through Qt, built without frame pointers), so that
# suppressions can name the font engine frames.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
status=0
(cd "$build" && ctest --output-on-failure --parallel "$(nproc)" -L 'unit|component' "$@") || status=$?
if compgen -G "$reports/*" >/dev/null; then
  echo "test.sh: sanitizer reports:" >&2
  for f in "$reports"/*; do
    echo "==== $f" >&2
    cat "$f" >&2
  done
  status=1
fi
exit $status
