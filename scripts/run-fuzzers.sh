#!/bin/sh
# run-fuzzers.sh FUZZ_BUILD_DIR SECONDS
# Runs every fuzz target of the fuzz build for SECONDS each, starting from the corpus kept in the
# repository (fuzz/<subsystem>/corpus/<target>/); new inputs go to a scratch corpus in the build
# folder so the repository's corpus stays small. Stops at the first finding.
set -eu
build=$1
seconds=$2
here=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build"/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds=$(find "$here/fuzz" -type d -path "*/corpus/$name" | head -n 1)
  scratch="$build/corpus/$name"
  mkdir -p "$scratch"
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/" "$scratch" ${seeds:+"$seeds"} 2>"$build/$name.log"; then
    status=1
    tail -n 40 "$build/$name.log"
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$name.log" || true
done
exit $status
