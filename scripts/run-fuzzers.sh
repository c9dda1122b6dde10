#!/bin/sh
# Runs every fuzz target of a fuzz build for a number of seconds each, starting from its corpus
# in fuzz/<subsystem>/corpus (copied, so the checked-in seeds stay as they are).
# Usage: scripts/run-fuzzers.sh BUILD_FOLDER SECONDS
set -eu
build=$1
seconds=$2
src=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build"/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=$(ls -d "$src"/fuzz/*/corpus 2>/dev/null | while read -r c; do
    grep -l "$name" "$(dirname "$c")"/CMakeLists.txt >/dev/null 2>&1 && echo "$c"; done | head -n 1)
  work="$build/corpus/$name"
  mkdir -p "$work"
  [ -n "$corpus" ] && cp -n "$corpus"/* "$work"/ 2>/dev/null || true
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/$name-" "$work" 2>"$build/$name.log"; then
    status=1
    echo "   FAILED: see $build/$name.log"
  fi
  grep -E "^#[0-9]+.*(DONE|pulse)" "$build/$name.log" | tail -n 1 || true
  grep -E "^stat::number_of_executed_units" "$build/$name.log" || true
done
exit $status
