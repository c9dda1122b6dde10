#!/bin/sh
# run-demo.sh WIN_BUILD_DIR
# Starts the editor under Wine against the demo simulator installation that the build assembled,
# registered in the build's private Wine prefix the way the simulator's installer registers itself.
set -eu
win=$1
here=$(cd "$(dirname "$0")/.." && pwd)
prefix="$win/wineprefix"
wine_run="$here/cmake/wine-run.sh $prefix"

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
Trimwell is a desktop program and needs an X display to show its window, and none is set
(DISPLAY is empty). Either run it from a desktop session, or give it a virtual display with a
number and an authority file of your choosing:

    xvfb-run -n 99 -f /tmp/trimwell.xauth -s "-screen 0 1280x1024x24" make run

and look at it with a screenshot from another terminal that names the same two:

    XAUTHORITY=/tmp/trimwell.xauth DISPLAY=:99 import -window root shot.png
MSG
  exit 1
fi

sim_unix="$win/demo-sim/FSX"
$wine_run reg add 'HKCU\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\10.0' \
  /v AppPath /t REG_SZ /d "$($wine_run winepath -w "$sim_unix")\\" /f >/dev/null
echo "Demo simulator registered: $sim_unix"
exec $wine_run "$win/bin/Trimwell.exe"
