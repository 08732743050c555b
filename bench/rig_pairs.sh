#!/usr/bin/env bash
# Frequency set + read pairs on a simulated IC-9700 (rigsim on a
# pseudo-terminal): `vmrig bench` (one 05 set and one 03 read per pair, the
# controller's cat code) against Hamlib's `rigctl -m 3081` doing the same
# pairs with its F and f commands, on the same pty at each baud rate.
#
# Usage: bench/rig_pairs.sh [BUILD_DIR] [PAIRS]
#   BUILD_DIR   the build folder (default: build); programs from BUILD_DIR/bin
#   PAIRS       pairs per measurement (default 500)
#   BAUDS="19200 115200"  the line speeds
#   PROCESSING=3          rigsim's processing time per command in ms
#   ECHO=on               rigsim's CI-V echo (on or off)
#
# rigctl's time per pair is the difference between a run of PAIRS+10 pairs
# and one of 10 pairs, over PAIRS (its start-up and rig opening drop out);
# the median of three such differences. Prints one Markdown table.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
pairs=${2:-500}
bauds=${BAUDS:-19200 115200}
processing=${PROCESSING:-3}
echo_mode=${ECHO:-on}
for p in rigsim vmrig; do
  [ -x "$build/bin/$p" ] || { echo "rig_pairs: $build/bin/$p is not built" >&2; exit 1; }
done
command -v rigctl >/dev/null || { echo "rig_pairs: rigctl (Debian package libhamlib-utils) is missing" >&2; exit 1; }

work=$(mktemp -d)
rigsim_pid=
cleanup() {
  if [ -n "$rigsim_pid" ]; then kill "$rigsim_pid" 2>/dev/null || true; wait "$rigsim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

# rigctl commands: n pairs of F (set) and f (read), the dial moving by 100 Hz.
pairs_file() {
  local n=$1 file=$2
  : > "$file"
  for i in $(seq 1 "$n"); do
    printf 'F %d\nf\n' $((145900000 + (i % 2) * 100)) >> "$file"
  done
}
now_ns() { date +%s%N; }
rigctl_run_ns() { # baud, commands file
  local t0 t1
  t0=$(now_ns)
  rigctl -m 3081 -r "$work/ic9700" -s "$1" - < "$2" > /dev/null
  t1=$(now_ns)
  echo $((t1 - t0))
}

pairs_file 10 "$work/few.txt"
pairs_file $((pairs + 10)) "$work/many.txt"

echo "| baud | vmrig mean | vmrig median | vmrig worst | vmrig failed | wire (bus bytes) | vmrig / wire | rigctl per pair | rigctl / vmrig |"
echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
for baud in $bauds; do
  "$build/bin/rigsim" --model IC9700 --baud "$baud" --processing "$processing" --echo "$echo_mode" \
    --link "$work/ic9700" < /dev/null > "$work/rigsim.out" 2>&1 &
  rigsim_pid=$!
  for _ in $(seq 100); do [ -e "$work/ic9700" ] && break; sleep 0.1; done
  out=$("$build/bin/vmrig" --model IC9700 --port "$work/ic9700" --baud "$baud" bench "$pairs" 2>/dev/null) || true
  failed=$(sed -n 's/^failed \([0-9]*\) of.*/\1/p' <<< "$out")
  mean=$(sed -n 's/^mean \([0-9.]*\) ms.*/\1/p' <<< "$out")
  median=$(sed -n 's/.*median \([0-9.]*\) ms.*/\1/p' <<< "$out")
  worst=$(sed -n 's/.*worst \([0-9.]*\) ms.*/\1/p' <<< "$out")
  wire=$(sed -n 's/^wire \([0-9.]*\) ms.*/\1/p' <<< "$out")
  bytes=$(sed -n 's/.*(\([0-9]*\) bytes on the bus).*/\1/p' <<< "$out")
  ratio=$(sed -n 's/.*mean\/wire \([0-9.]*\).*/\1/p' <<< "$out")
  diffs=()
  for _ in 1 2 3; do
    few=$(rigctl_run_ns "$baud" "$work/few.txt")
    many=$(rigctl_run_ns "$baud" "$work/many.txt")
    diffs+=($(( (many - few) / pairs )))
  done
  per_pair_ns=$(printf '%s\n' "${diffs[@]}" | sort -n | sed -n 2p)
  rigctl_ms=$(awk -v n="$per_pair_ns" 'BEGIN { printf "%.2f", n / 1e6 }')
  speedup=$(awk -v r="$rigctl_ms" -v m="$mean" 'BEGIN { printf "%.1f", r / m }')
  echo "| $baud | $mean ms | $median ms | $worst ms | ${failed:-0} | $wire ms ($bytes) | $ratio | $rigctl_ms ms | $speedup |"
  kill "$rigsim_pid"; wait "$rigsim_pid" 2>/dev/null || true; rigsim_pid=
done
