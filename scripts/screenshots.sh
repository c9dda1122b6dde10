#!/bin/sh
# screenshots.sh WIN_BUILD_DIR OUT_DIR
# Pictures for the README, taken on a virtual display of its own: OUT_DIR/main-window.png (the
# editor on the demo simulator's C172) and OUT_DIR/notice.png (the "Value Box Blank..." notice,
# which Save Key shows without writing anything while the value box is empty). Outside each
# window's outline the pictures are see-through, as the windows are on a desktop.
set -eu
win=$1; out=$2
here=$(cd "$(dirname "$0")/.." && pwd)
width=1280; height=1024
if [ -z "${TRIMWELL_SCREENSHOT_DISPLAY:-}" ]; then
  export TRIMWELL_SCREENSHOT_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 ${width}x${height}x24" "$0" "$@"
fi
prefix="$win/wineprefix"
wine_run="$here/cmake/wine-run.sh $prefix"
generated="$win/generated"
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/trimwell-shots.XXXXXX")

$wine_run reg add 'HKCU\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\10.0' \
  /v AppPath /t REG_SZ /d "$($wine_run winepath -w "$win/demo-sim/FSX")\\" /f >/dev/null
$wine_run "$win/bin/Trimwell.exe" &
editor=$!
trap 'kill $editor 2>/dev/null || true; rm -rf "$work"' EXIT

# WINDOW_PICTURE X Y OUT: the screen's pixels under a window placed at X, Y, see-through where the
# window's own picture has the skin's transparent colour.
cut() {
  size=$(identify -format '%wx%h' "$1")
  convert "$1" -fill white +opaque '#FF07FF' -fill black -opaque '#FF07FF' "$work/mask.png"
  convert "$work/screen.png" -crop "$size+$2+$3" +repage "$work/mask.png" -alpha off \
    -compose CopyOpacity -composite "$4"
}
# The windows centre themselves on the screen.
centre() { echo $(( ($width - $1) / 2 )) $(( ($height - $2) / 2 )); }

sleep 10  # the editor is up, its tree filled and painted
import -window root "$work/screen.png"
cut "$generated/mainwindow.bmp" $(centre 500 368) "$out/main-window.png"

# Save Key with the value box still empty (nothing is selected yet): the notice stays 1.5 s.
xdotool key alt+s
sleep 0.8
import -window root "$work/screen.png"
cut "$generated/dialog.bmp" $(centre 391 171) "$out/notice.png"
echo "$out/main-window.png $out/notice.png"
