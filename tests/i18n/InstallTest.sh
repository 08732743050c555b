#!/bin/sh
# An installation and the Debian package start: `cmake --install` lays out
# the programs, translations and desktop files; the .deb depends on the Qt
# libraries and, unpacked into a scratch root, runs `--version`; an installed
# program finds its English translation in share/.
# Usage: InstallTest.sh BUILD_DIR. Exit 77 (skipped) without cpack or dpkg-deb.
set -eu
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/velomira bin/tunavox bin/satpass bin/vmsend bin/vmrig bin/rigsim bin/faketracker \
         share/velomira/translations/velomira_en.qm share/applications/velomira.desktop \
         share/icons/hicolor/scalable/apps/velomira.svg \
         share/metainfo/io.github.velomira.Velomira.metainfo.xml share/man/man1/tunavox.1; do
  [ -e "$work/prefix/$f" ] || fail "not installed: $f"
done
out=$("$work/prefix/bin/vmrig" --port /dev/velomira-no-such-port info 2>&1 || true)
echo "$out" | grep -q "no such device" || fail "installed vmrig did not speak English: $out"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >/dev/null || fail "cpack"
deb=$(ls "$work"/pkg/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends" | grep -q libqt6widgets6 || fail "Depends lacks the Qt libraries: $depends"
dpkg-deb -x "$deb" "$work/root"
for p in velomira tunavox; do
  "$work/root/usr/bin/$p" --version | grep -q "^$p [0-9]" || fail "$p --version from the package"
done
echo "ok: $(basename "$deb"), Depends: $depends"
