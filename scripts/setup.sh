#!/usr/bin/env bash
# Installs the Debian packages Velomira needs to build, test and run.
# Idempotent: does nothing when every package is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools  # Qt LinguistTools: the English translation (lupdate, lrelease)
  dpkg-dev appstream    # cpack -G DEB dependencies (dpkg-shlibdeps); metainfo check
  qt6-multimedia-dev    # recording and playing sound (tunavox)
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  python3-sgp4          # SGP4 verification set used by the orbit tests
  fonts-noto-cjk        # Japanese captions on the panel
  xvfb xauth            # demo and screenshots without a desktop
  imagemagick           # import: README screenshots of windows under Xvfb
  libxcb1-dev           # X11 window lookup (tracking programs under Wine, hot key)
  libhamlib-utils       # rigctl: checks the rig simulator against real CAT software
  wsjtx                 # udp_daemon: the reference WSJT-X UDP server for the logging e2e test
  clang libclang-rt-14-dev  # fuzz targets (libFuzzer) in build-fuzz
  g++-mingw-w64-x86-64 wine wine64  # vmbridge.exe (Windows programs under Wine) and its tests
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "setup: installing ${missing[*]}"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
