#!/bin/sh
# test-at-dpi.sh WIN_BUILD_DIR TEST_PROGRAM FILTER DPI...
# Runs the GoogleTest cases FILTER of TEST_PROGRAM under Wine at each screen pixel density DPI
# (dots per inch), in a prefix of its own beside the build's (wineprefix-dpi), so that the build's
# prefix stays at 96. Each run learns its density from TRIMWELL_TEST_DPI.
set -eu
win=$1; program=$2; filter=$3; shift 3
here=$(cd "$(dirname "$0")/.." && pwd)
wine_run="$here/cmake/wine-run.sh $win/wineprefix-dpi"
for dpi in "$@"; do
  $wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  echo "== $dpi dpi"
  TRIMWELL_TEST_DPI=$dpi $wine_run "$program" --gtest_filter="$filter"
done
