#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test (unit, component, e2e) with CTest.
# Extra arguments go to ctest, e.g. scripts/test.sh -L unit
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELOMIRA_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
