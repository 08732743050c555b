#!/usr/bin/env bash
# The fuzz targets of tests/fuzz, built with clang into build-fuzz (or
# $VELOMIRA_FUZZ_BUILD_DIR): only the targets and the libraries they need.
#
#   scripts/fuzz.sh --check          build, then the short runs of `ctest -L fuzz` (CI)
#   scripts/fuzz.sh [TARGET...]      long sessions: each target (default: all) for
#                                    $FUZZ_SECONDS seconds (default 600) on
#                                    $FUZZ_JOBS processes (default 1)
#
# A long session keeps what it finds in build-fuzz/fuzz/corpus/<target>; a crash
# leaves its input as build-fuzz/fuzz/artifacts/<target>/crash-*. Reproduce one with
#   build-fuzz/fuzz/<target> <crash file>
# and add inputs worth keeping (small ones) to tests/fuzz/corpus/<target>.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELOMIRA_FUZZ_BUILD_DIR:-$root/build-fuzz}

"$root/scripts/setup.sh"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVELOMIRA_FUZZ=ON \
  -DVELOMIRA_BUILD_TESTS=OFF -DVELOMIRA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target vm_fuzz_all

if [ "${1:-}" = "--check" ]; then
  cd "$build"
  exec ctest --output-on-failure --parallel "$(nproc)" -L fuzz
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for exe in "$build"/fuzz/fuzz_*; do
    [ -x "$exe" ] && targets+=("$(basename "$exe")")
  done
fi
seconds=${FUZZ_SECONDS:-600}
jobs=${FUZZ_JOBS:-1}
parallel=()
# Several processes share the corpus; each writes its log to fuzz-<n>.log in the artifacts folder.
[ "$jobs" -gt 1 ] && parallel=(-jobs="$jobs" -workers="$jobs")
for t in "${targets[@]}"; do
  corpus=$build/fuzz/corpus/$t
  artifacts=$build/fuzz/artifacts/$t
  mkdir -p "$corpus" "$artifacts"
  echo "fuzz.sh: $t for ${seconds}s"
  (cd "$artifacts" && "$build/fuzz/$t" -max_total_time="$seconds" "${parallel[@]}" -timeout=10 -max_len=4096 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" "$root/tests/fuzz/corpus/$t")
done
