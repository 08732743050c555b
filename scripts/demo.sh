#!/usr/bin/env bash
# The main job: installs, builds and starts the operation panel in a demo data folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELOMIRA_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

if [ ! -x "$build/bin/velomira" ]; then
  echo "demo: the operation panel (velomira) is not built yet in this version."
  echo "demo: what exists so far is the shared foundation; run scripts/test.sh to exercise it."
  exit 1
fi
exec "$build/bin/velomira" "$@"
