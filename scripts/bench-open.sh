#!/bin/sh
# bench-open.sh WIN_BUILD_DIR [RUNS] [KEYS]
# What opening a long aircraft file costs the editor under Wine: its start-up to a shown, idle
# window (the file loaded into the tree and styled) with a file of KEYS keys, beside its start-up
# with the demo C172 file. Uses the build's private prefix and puts the demo simulator back.
set -eu
win=$1
runs=${2:-5}
keys=${3:-10000}
here=$(cd "$(dirname "$0")/.." && pwd)
prefix="$win/wineprefix"
wine_run="$here/cmake/wine-run.sh $prefix"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
demo="$win/demo-sim/FSX"
long="$win/bench-sim/FSX"
mkdir -p "$long/SimObjects/Airplanes/C172"
cp "$demo/fsx.exe" "$long/fsx.exe"
awk -v keys="$keys" 'BEGIN {
  printf "[fltsim.0]\r\ntitle=Long file of %d keys\r\n", keys
  for (k = 1; k < keys; k++) {
    if (k % 100 == 1) printf "\r\n[section.%d]\r\n", k / 100
    printf "key_%d=value %d\r\n", k, k
  }
}' > "$long/SimObjects/Airplanes/C172/aircraft.cfg"

use_sim() {
  $wine_run reg add 'HKCU\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\10.0' \
    /v AppPath /t REG_SZ /d "$($wine_run winepath -w "$1")\\" /f >/dev/null
}
editor="\"$($wine_run winepath -w "$win/bin/Trimwell.exe")\""
# The launcher writes Windows line ends.
time_editor() { $wine_run "$win/bin/startup_launcher.exe" "$runs" "$editor" | tr -d '\r' | sed -n 's/.*: \([0-9.]*\) ms$/\1/p'; }

use_sim "$long"
long_ms=$(time_editor)
use_sim "$demo"
demo_ms=$(time_editor)
echo "editor start-up to a shown, idle window, median of $runs runs under Wine"
printf '  with the demo C172 file      : %8.1f ms\n' "$demo_ms"
printf '  with a file of %5d keys    : %8.1f ms\n' "$keys" "$long_ms"
awk -v a="$long_ms" -v b="$demo_ms" -v k="$keys" \
  'BEGIN { printf "  opening the long file costs  : %8.1f ms more (%.1f us a key)\n", a - b, 1000 * (a - b) / k }'
