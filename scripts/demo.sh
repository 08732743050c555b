#!/usr/bin/env bash
# The main job: installs, builds and starts the operation panel in a demo data
# folder, with a simulated rig (rigsim, an IC-9700 unless DEMO_RIG names another
# model: TS2000, TS590, TS990, FT2000, FT991, FT847, FT817, IC910 ...) on a
# pseudo-terminal as rig 1 and
# the built-in orbit computation as the tracking source.
#
# The demo satellite VELOMIRA-1 is a made-up linear transponder whose orbit is
# designed at start so that a pass over the station is under way. Put your own
# TLE file as nasabare.txt into the demo folder to track real satellites instead.
#
# Environment: DEMO_RIG (rig model, default IC9700), DEMO_LOCATOR (station,
# default PM95vq), VELOMIRA_HOME (demo data folder, default build/demo-home).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELOMIRA_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
bin=$build/bin

# The panel needs a display; say so before anything is started.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "demo: there is no display. Run it on a desktop, or under a virtual X server:"
  echo "      xvfb-run -a -s '-screen 0 1280x900x24' scripts/demo.sh"
  exit 1
fi

export VELOMIRA_HOME=${VELOMIRA_HOME:-$build/demo-home}
mkdir -p "$VELOMIRA_HOME"
locator=${DEMO_LOCATOR:-PM95vq}
demo_sat=VELOMIRA-1
demo_row="$demo_sat,435500,145900,30,145890,,,,,"
rig=${DEMO_RIG:-IC9700}
case "$rig" in
  IC9700) baud=19200 ;;
  *) baud=9600 ;;
esac
# Icom models answer on the address the settings name (A2), whatever their factory one.
address=()
case "$rig" in IC*) address=(--address A2) ;; esac
pty_link=$VELOMIRA_HOME/rig-$rig

# Satellite table: the default rows plus the demo satellite.
table=$VELOMIRA_HOME/SATdata.txt
if [ ! -f "$table" ]; then
  printf '%s\n' "衛 星 名,UP Link(KHz),Down Link(KHz),Width(KHz),Beacon(KHz),Tone(Hz),TX TRV(KHz),RX TRV(KHz),NonRev,MLTmode" \
    "AO-07,432125,145925,50,145975,,,,,B-mode" "AO-07,145850,29400,100,29502,,,,Y,A-mode" "$demo_row" > "$table"
elif ! grep -q "^$demo_sat," "$table"; then
  printf '%s\n' "$demo_row" >> "$table"
fi

# Orbit data: the operator's own file when present, else a fresh demo pass.
if [ -f "$VELOMIRA_HOME/nasabare.txt" ]; then
  tle_file=nasabare.txt
else
  tle_file=velomira-demo.txt
  "$bin/satpass" --make-overhead "$demo_sat" --locator "$locator" --minutes 3 > "$VELOMIRA_HOME/$tle_file"
fi

# Settings: the simulated rig, the built-in tracker, the station, the tracking window open (F12).
ini=$VELOMIRA_HOME/Velomira.ini
if [ ! -f "$ini" ]; then
  cat > "$ini" <<INI
[RIG_CON_CFG]
RIG_TYPE=$rig
RIGCOMCONT=$pty_link
BAUD_RATE=$baud
ICOM_RIGadrs=A2
RigContType=0
Calc_Type=4
Poll_Time=200
StartUpMODE=SSB
[QTH]
Locator=$locator
[TRACK]
TLEFile=$tle_file
ViewOpen=1
[Velomira]
StartCmdMode=0
INI
else
  # The rig of this run, in the settings kept from an earlier one.
  sed -i -e "s|^RIG_TYPE=.*|RIG_TYPE=$rig|" -e "s|^RIGCOMCONT=.*|RIGCOMCONT=$pty_link|" \
    -e "s|^BAUD_RATE=.*|BAUD_RATE=$baud|" "$ini"
fi

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT INT TERM

# The simulated rig (its console on standard input is not needed here).
"$bin/rigsim" --model "$rig" "${address[@]}" --baud "$baud" --link "$pty_link" < /dev/null > "$VELOMIRA_HOME/rigsim.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "$pty_link" ] && break; sleep 0.1; done
[ -e "$pty_link" ] || { echo "demo: rigsim did not start (see $VELOMIRA_HOME/rigsim.log)"; exit 1; }
echo "demo: simulated $rig on $pty_link, data folder $VELOMIRA_HOME, station $locator"

"$bin/velomira" "$@"
