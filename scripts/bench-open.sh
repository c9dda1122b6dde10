#!/bin/sh
# bench-open.sh WIN_BUILD_DIR [RUNS] [KEYS...]
# What a long aircraft file costs the editor under Wine: its start-up to a shown, idle window (the
# file loaded into the tree and styled) with files of KEYS keys (10 000, 40 000 and 160 000 unless
# given), beside its start-up with the demo C172 file; then Load CFG of the demo file, whose time
# includes clearing the long file's tree; then the time its exit takes. Opening, clearing and exit
# should cost the same per key at every size. Uses the build's private prefix and puts the demo
# simulator back.
set -eu
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
win=$1
runs=${2:-3}
shift $(( $# < 2 ? $# : 2 ))
sizes=${*:-10000 40000 160000}
. "$(dirname "$0")/bench-common.sh"
demo="$win/demo-sim/FSX"
long="$win/bench-sim/FSX"
mkdir -p "$long/SimObjects/Airplanes/C172"
cp "$demo/fsx.exe" "$long/fsx.exe"

trap 'use_sim "$demo"' EXIT
editor="\"$($wine_run winepath -w "$win/bin/Trimwell.exe")\""
demo_file="$($wine_run winepath -w "$demo/SimObjects/Airplanes/C172/aircraft.cfg")"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# "OPEN RELOAD EXIT" medians in milliseconds over RUNS starts, RELOAD being Load CFG of the demo
# file with its two pauses of a second taken off (the driver writes Windows line ends).
time_editor() {
  i=0
  : > "$win/bench-sim/times"
  while [ "$i" -lt "$runs" ]; do
    # The file dialog makes Wine complain about the volume of Z:, which says nothing here.
    $wine_run "$win/bin/open_exit.exe" "$editor" "$demo_file" 2> "$win/bench-sim/errors" | tr -d '\r' >> "$win/bench-sim/times"
    grep -v "^wine: Read access denied for device" "$win/bench-sim/errors" >&2 || true
    i=$((i + 1))
  done
  t="$win/bench-sim/times"
  echo "$(cut -d' ' -f1 "$t" | median) $(cut -d' ' -f2 "$t" | awk '{ print $1 - 2000 }' | median) $(cut -d' ' -f3 "$t" | median)"
}
write_file() {
  awk -v keys="$1" 'BEGIN {
    printf "[fltsim.0]\r\ntitle=Long file of %d keys\r\n", keys
    for (k = 1; k < keys; k++) {
      if (k % 100 == 1) printf "\r\n[section.%d]\r\n", k / 100
      printf "key_%d=value %d\r\n", k, k
    }
  }' > "$long/SimObjects/Airplanes/C172/aircraft.cfg"
}

use_sim "$demo"
set -- $(time_editor)
demo_open=$1 demo_reload=$2 demo_exit=$3
echo "editor start-up to a shown, idle window, Load CFG of the demo file and exit, median of $runs runs under Wine"
echo "  (reload: Load CFG of the demo file from hiding the tree to showing it, pauses taken off; us/key: the time beyond the demo file's, a key)"
printf '  %-14s %9s %8s %10s %8s %9s %8s\n' "file" "open ms" "us/key" "reload ms" "us/key" "exit ms" "us/key"
printf '  %-14s %9.1f %8s %10.1f %8s %9.1f\n' "demo C172" "$demo_open" "" "$demo_reload" "" "$demo_exit"
use_sim "$long"
first=""
for keys in $sizes; do
  write_file "$keys"
  set -- $(time_editor)
  awk -v k="$keys" -v o="$1" -v r="$2" -v e="$3" -v o0="$demo_open" -v r0="$demo_reload" -v e0="$demo_exit" 'BEGIN {
    printf "  %-14s %9.1f %8.2f %10.1f %8.2f %9.1f %8.2f\n", k " keys", o, 1000 * (o - o0) / k,
      r, 1000 * (r - r0) / k, e, 1000 * (e - e0) / k
  }'
  cost=$(awk -v k="$keys" -v o="$1" -v o0="$demo_open" 'BEGIN { print 1000 * (o - o0) / k }')
  last_keys=$keys last_cost=$cost last_more=$(awk -v o="$1" -v o0="$demo_open" 'BEGIN { print o - o0 }')
  # Clearing the long file's tree is what its Load CFG costs beyond the demo file's own.
  last_clear=$(awk -v r="$2" -v r0="$demo_reload" 'BEGIN { print r - r0 }') last_exit=$3
  [ -n "$first" ] || first=$cost
done
awk -v a="$first" -v b="$last_cost" -v k="$last_keys" -v m="$last_more" 'BEGIN {
  printf "  opening cost a key at %d keys / at the first size: %.2f (target at most 1.5)\n", k, b / a
  printf "  opening %d keys costs %.0f ms more than the demo file (target at most 2000)\n", k, m
}'
awk -v k="$last_keys" -v c="$last_clear" -v e="$last_exit" 'BEGIN {
  printf "  clearing the tree of %d keys costs %.0f ms, its exit takes %.0f ms (targets under 2000)\n", k, c, e
}'
