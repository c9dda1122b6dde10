#!/bin/sh
# bench-startup.sh WIN_BUILD_DIR [RUNS]
# Start-up of the editor with the demo C172 file against a bare window program, under Wine in the
# build's private prefix, on a virtual display when none is set.
set -eu
win=$1
runs=${2:-10}
here=$(cd "$(dirname "$0")/.." && pwd)
prefix="$win/wineprefix"
wine_run="$here/cmake/wine-run.sh $prefix"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
sim_unix="$win/demo-sim/FSX"
$wine_run reg add 'HKCU\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\10.0' \
  /v AppPath /t REG_SZ /d "$($wine_run winepath -w "$sim_unix")\\" /f >/dev/null
$wine_run "$win/bin/startup_launcher.exe" "$runs" \
  "$($wine_run winepath -w "$win/bin/bare_window.exe")" "$($wine_run winepath -w "$win/bin/Trimwell.exe")"
