#!/bin/sh
# bench-open.sh WIN_BUILD_DIR [RUNS] [KEYS...]
# What opening a long aircraft file costs the editor under Wine: its start-up to a shown, idle
# window (the file loaded into the tree and styled) with files of KEYS keys (10 000, 40 000 and
# 160 000 unless given), beside its start-up with the demo C172 file, and the time its exit takes
# (the tree's nodes taken down) after each. Opening and exit should cost the same per key at
# every size. Uses the build's private prefix and puts the demo simulator back.
set -eu
win=$1
runs=${2:-3}
shift $(( $# < 2 ? $# : 2 ))
sizes=${*:-10000 40000 160000}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$win" "$runs" $sizes
fi
. "$(dirname "$0")/bench-common.sh"
demo="$win/demo-sim/FSX"
long="$win/bench-sim/FSX"
mkdir -p "$long/SimObjects/Airplanes/C172"
cp "$demo/fsx.exe" "$long/fsx.exe"

trap 'use_sim "$demo"' EXIT
editor="\"$($wine_run winepath -w "$win/bin/Trimwell.exe")\""
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# "OPEN EXIT" medians in milliseconds over RUNS starts (the driver writes Windows line ends).
time_editor() {
  i=0
  : > "$win/bench-sim/times"
  while [ "$i" -lt "$runs" ]; do
    $wine_run "$win/bin/open_exit.exe" "$editor" | tr -d '\r' >> "$win/bench-sim/times"
    i=$((i + 1))
  done
  echo "$(cut -d' ' -f1 "$win/bench-sim/times" | median) $(cut -d' ' -f2 "$win/bench-sim/times" | median)"
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
demo_open=$1 demo_exit=$2
echo "editor start-up to a shown, idle window and exit, median of $runs runs under Wine"
printf '  %-22s %10s %10s %14s %10s %14s\n' "file" "open ms" "exit ms" "open us/key" "exit +ms" "exit us/key"
printf '  %-22s %10.1f %10.1f\n' "demo C172" "$demo_open" "$demo_exit"
use_sim "$long"
first=""
for keys in $sizes; do
  write_file "$keys"
  set -- $(time_editor)
  awk -v k="$keys" -v o="$1" -v e="$2" -v o0="$demo_open" -v e0="$demo_exit" 'BEGIN {
    printf "  %-22s %10.1f %10.1f %14.2f %10.1f %14.2f\n", k " keys", o, e, 1000 * (o - o0) / k, e - e0, 1000 * (e - e0) / k
  }'
  cost=$(awk -v k="$keys" -v o="$1" -v o0="$demo_open" 'BEGIN { print 1000 * (o - o0) / k }')
  last_keys=$keys last_cost=$cost last_more=$(awk -v o="$1" -v o0="$demo_open" 'BEGIN { print o - o0 }')
  [ -n "$first" ] || first=$cost
done
awk -v a="$first" -v b="$last_cost" -v k="$last_keys" -v m="$last_more" 'BEGIN {
  printf "  opening cost a key at %d keys / at the first size: %.2f (target at most 1.5)\n", k, b / a
  printf "  opening %d keys costs %.0f ms more than the demo file (target at most 2000)\n", k, m
}'
