#!/bin/sh
# bench-startup.sh WIN_BUILD_DIR [RUNS]
# Start-up of the editor with the demo C172 file against a plain Win32 program with the same window,
# controls and tree, and a bare window program, under Wine in the build's private prefix, on a
# virtual display when none is set.
set -eu
win=$1
runs=${2:-10}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
. "$(dirname "$0")/bench-common.sh"
sim_unix="$win/demo-sim/FSX"
use_sim "$sim_unix"
winpath() { $wine_run winepath -w "$1"; }
c172="$sim_unix/SimObjects/Airplanes/C172/aircraft.cfg"
$wine_run "$win/bin/startup_launcher.exe" "$runs" \
  "\"$(winpath "$win/bin/bare_window.exe")\"" \
  "\"$(winpath "$win/bin/plain_editor.exe")\" \"$(winpath "$c172")\"" \
  "\"$(winpath "$win/bin/Trimwell.exe")\""
