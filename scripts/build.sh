#!/usr/bin/env bash
# Configures and builds Velomira into build/ (or $VELOMIRA_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELOMIRA_BUILD_DIR:-$root/build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELOMIRA_WERROR=$werror >/dev/null
cmake --build "$build" --parallel "$(nproc)"
