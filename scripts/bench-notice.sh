#!/bin/sh
# bench-notice.sh WIN_BUILD_DIR [RUNS] [EDITOR.exe...]
# The processor time the editor spends while the "Saved..." notice of Save Key pauses for two
# seconds, next to the wall time, under Wine in the build's private prefix; read from the
# system's account of the editor's process, as Wine does not give one process another's times.
# More than one editor program (say an older build beside this one) are run in turn. Saves into
# a copy of the demo simulator's C172 file and puts the demo simulator back.
set -eu
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
win=$1
runs=${2:-3}
shift $(( $# < 2 ? $# : 2 ))
editors=${*:-$win/bin/Trimwell.exe}
. "$(dirname "$0")/bench-common.sh"
demo="$win/demo-sim/FSX"
copy="$win/bench-notice-sim/FSX"
rm -rf "$copy"
mkdir -p "$copy"
cp -r "$demo/." "$copy/"
use_sim "$copy"
trap 'use_sim "$demo"' EXIT

# The Linux process of the running Windows program NAME: Wine makes the program's Windows path
# the first word of the process's command line.
windows_process() {
  for p in $(pgrep -f "$1" || true); do
    if tr '\0' '\n' < "/proc/$p/cmdline" 2>/dev/null | head -n 1 | grep -q "^[A-Z]:.*\\\\$1\$"; then
      echo "$p"
      return
    fi
  done
}
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

measure() {
  name=$(basename "$1")
  $wine_run "$win/bin/notice_cpu.exe" "\"$($wine_run winepath -w "$1")\"" | sed -u 's/\r$//' | {
    pid="" t0=0
    while read -r event ms; do
      case $event in
        pressed) pid=$(windows_process "$name"); t0=$(ticks "$pid") ;;
        gone) awk -v n="$name" -v t="$(($(ticks "$pid") - t0))" -v hz="$hz" -v ms="$ms" 'BEGIN {
                printf "  %-24s wall %6.0f ms   processor %6.0f ms   %5.1f %% of a core (target under 5 %%)\n",
                       n, ms, 1000 * t / hz, 100 * 1000 * t / hz / ms }' ;;
      esac
    done
  }
}

echo "the editor during the two-second \"Saved...\" notice of Save Key, under Wine"
i=0
while [ "$i" -lt "$runs" ]; do
  for editor in $editors; do measure "$editor"; done
  i=$((i + 1))
done
