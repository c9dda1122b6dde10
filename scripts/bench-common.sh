# Sourced by the benchmark scripts once `win` names the Windows build folder: runs Windows
# programs in the build's private Wine prefix and points the simulator's registry entry at a
# simulator folder.
here=$(cd "$(dirname "$0")/.." && pwd)
wine_run="$here/cmake/wine-run.sh $win/wineprefix"
use_sim() {
  $wine_run reg add 'HKCU\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\10.0' \
    /v AppPath /t REG_SZ /d "$($wine_run winepath -w "$1")\\" /f >/dev/null
}
