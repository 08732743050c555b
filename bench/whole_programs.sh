#!/usr/bin/env bash
# Whole programs while tracking: CPU share of tunavox and resident memory of
# tunavox and the panel, with the controller polling a simulated IC-9700
# (rigsim on a pseudo-terminal, 19200 baud) every 100 ms and the built-in
# orbit computation following a made-up satellite passing overhead.
#
# Usage: bench/whole_programs.sh [BUILD_DIR] [SECONDS]
#   BUILD_DIR  the build folder (default: build); programs are taken from BUILD_DIR/bin
#   SECONDS    how long to measure (default 60)
#   PANEL=vmsend  use the stand-in panel even when velomira is built
#
# Figures come from /proc/<pid>/stat (user + system time) and
# /proc/<pid>/status (VmRSS now, VmHWM peak). Prints one Markdown table.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${2:-60}
bin=$build/bin
for p in tunavox rigsim satpass vmsend; do
  [ -x "$bin/$p" ] || { echo "whole_programs: $bin/$p is not built" >&2; exit 1; }
done

work=$(mktemp -d)
export VELOMIRA_HOME=$work/home VELOMIRA_RUNTIME_DIR=$work/run
mkdir -p "$VELOMIRA_HOME" && mkdir -m 700 "$VELOMIRA_RUNTIME_DIR"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  if [ -n "${KEEP:-}" ]; then echo "whole_programs: files kept in $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT INT TERM

# Waits up to 30 s for a condition given as a command.
wait_for() {
  local what=$1; shift
  for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
  echo "whole_programs: $what did not happen" >&2
  exit 1
}

locator=PM95vq
sat=BENCHSAT
pty=$VELOMIRA_HOME/ic9700
printf '%s\n' "衛 星 名,UP Link(KHz),Down Link(KHz),Width(KHz),Beacon(KHz),Tone(Hz),TX TRV(KHz),RX TRV(KHz),NonRev,MLTmode" \
  "$sat,145935,435610,60,435605,,,,," > "$VELOMIRA_HOME/SATdata.txt"
# Culmination a little after the measurement starts: the pass runs throughout.
"$bin/satpass" --make-overhead "$sat" --locator "$locator" --minutes 1 > "$VELOMIRA_HOME/bench.txt"
cat > "$VELOMIRA_HOME/Velomira.ini" <<INI
[RIG_CON_CFG]
RIG_TYPE=IC9700
RIGCOMCONT=$pty
BAUD_RATE=19200
ICOM_RIGadrs=A2
RigContType=0
Calc_Type=4
Poll_Time=100
StartUpMODE=SSB
[QTH]
Locator=$locator
[TRACK]
TLEFile=bench.txt
Satellite=$sat
INI

# rigsim's console on a fifo, so its command count can be asked for.
mkfifo "$work/console"
"$bin/rigsim" --model IC9700 --baud 19200 --link "$pty" < "$work/console" > "$work/rigsim.out" 2>&1 &
pids+=($!)
rigsim_pid=$!
exec 3> "$work/console"
wait_for "rigsim start" test -e "$pty"
ptydev=$(readlink -f "$pty")

panel_pid=
panel_name=
if [ "${PANEL:-}" != vmsend ] && [ -x "$bin/velomira" ]; then
  QT_QPA_PLATFORM=offscreen "$bin/velomira" > "$work/velomira.out" 2>&1 &
  panel_pid=$!
  pids+=($panel_pid)
  panel_name=velomira
  # velomira starts tunavox detached: find ours by program and data folder.
  find_tunavox() {
    local d p
    for d in /proc/[0-9]*; do
      p=${d#/proc/}
      [ "$(readlink "$d/exe" 2>/dev/null)" = "$bin/tunavox" ] || continue
      tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qx "VELOMIRA_HOME=$VELOMIRA_HOME" || continue
      echo "$p"
      return 0
    done
    return 1
  }
  wait_for "tunavox start by velomira" find_tunavox
  tunavox_pid=$(find_tunavox)
  pids+=($tunavox_pid)
else
  "$bin/vmsend" --listen Velomira > "$work/records.log" 2>&1 &
  panel_pid=$!
  pids+=($panel_pid)
  panel_name="vmsend --listen Velomira (stand-in panel)"
  panel_up() { "$bin/vmsend" --exists Velomira > /dev/null 2>&1; }
  wait_for "stand-in panel" panel_up
  QT_QPA_PLATFORM=offscreen "$bin/tunavox" -R > "$work/tunavox.out" 2>&1 &
  tunavox_pid=$!
  pids+=($tunavox_pid)
fi

# Tracking has begun once the controller holds the rig's port and the rig
# has taken commands.
holds_port() { ls -l "/proc/$tunavox_pid/fd" 2>/dev/null | grep -q -- "-> $ptydev\$"; }
commands() {
  local n
  n=$(grep -c 'commands=' "$work/rigsim.out" || true)
  echo status >&3
  for _ in $(seq 200); do
    [ "$(grep -c 'commands=' "$work/rigsim.out" || true)" -gt "$n" ] && break
    sleep 0.05
  done
  grep -o 'commands=[0-9]*' "$work/rigsim.out" | tail -1 | cut -d= -f2
}
wait_for "tunavox opening the rig port" holds_port
c0=$(commands)
wait_for "rig commands" test "$(commands)" -gt "$c0"

clk=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
status_kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }

t0=$(date +%s.%N)
u0=$(cpu_ticks "$tunavox_pid")
p0=$(cpu_ticks "$panel_pid")
c0=$(commands)
sleep "$seconds"
t1=$(date +%s.%N)
u1=$(cpu_ticks "$tunavox_pid")
p1=$(cpu_ticks "$panel_pid")
c1=$(commands)

elapsed=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
share() { awk -v a="$1" -v b="$2" -v c="$clk" -v e="$elapsed" 'BEGIN { printf "%.2f", 100 * (b - a) / c / e }'; }
echo "Measured over ${seconds} s (wall ${elapsed%.*} s), $(nproc) CPUs, $(uname -r); panel: $panel_name"
echo "CI-V commands taken by the rig: $((c1 - c0)) ($(awk -v n=$((c1 - c0)) -v e="$elapsed" 'BEGIN { printf "%.1f", n / e }') per second)"
echo
echo "| program | CPU share of one core | VmRSS (kB) | VmHWM (kB) |"
echo "|---|---:|---:|---:|"
echo "| tunavox | $(share "$u0" "$u1")% | $(status_kb "$tunavox_pid" VmRSS) | $(status_kb "$tunavox_pid" VmHWM) |"
echo "| $panel_name | $(share "$p0" "$p1")% | $(status_kb "$panel_pid" VmRSS) | $(status_kb "$panel_pid" VmHWM) |"
