#!/bin/sh
# wine-run.sh PREFIX PROGRAM [ARGS...]
# Runs a Windows program under Wine in the private prefix PREFIX, creating the prefix on first
# use and giving it the fonts the editor asks for (wine-fonts.reg). Never touches ~/.wine.
set -eu
prefix=$1; shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    echo "wine-run: creating the Wine prefix $prefix" >&2
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # A prefix made before the fonts were set up gets them too; a change of the file is applied again.
  fonts="$(cd "$(dirname "$0")" && pwd)/wine-fonts.reg"
  stamp="$prefix/.trimwell-fonts"
  if ! cmp -s "$fonts" "$stamp" 2>/dev/null; then
    wine reg import "$(winepath -w "$fonts" 2>/dev/null)" >/dev/null 2>&1 && cp "$fonts" "$stamp"
  fi
) 9>"$prefix.lock"
exec wine "$@"
