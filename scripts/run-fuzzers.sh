#!/bin/sh
# Runs every fuzz target BUILD/bin/fuzz_* for SECONDS each, niced, one after the other.
# Seeds come from fuzz/<x>/corpus/<target>/ (read only); new inputs go to BUILD/corpus/<target>/,
# crashes to BUILD/artifacts/. An optional third argument limits the run to targets matching it.
# Exits non-zero when any target found a fault.
set -u
build=${1:?usage: run-fuzzers.sh FUZZ_BUILD_DIR SECONDS [NAME_PATTERN]}
seconds=${2:-60}
pattern=${3:-}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build/artifacts"
status=0
for bin in "$build"/bin/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin")
  case "$name" in *"$pattern"*) ;; *) continue ;; esac
  seeds=$(ls -d "$root"/fuzz/*/corpus/"$name" 2>/dev/null | head -n 1)
  work="$build/corpus/$name"
  mkdir -p "$work"
  echo "== $name for ${seconds}s (seeds: ${seeds:-none})"
  if ! nice -n 10 "$bin" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$build/artifacts/$name-" "$work" ${seeds:+"$seeds"} 2>"$build/$name.log"; then
    echo "!! $name found a fault; see $build/$name.log"
    status=1
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$build/$name.log"
done
exit $status
