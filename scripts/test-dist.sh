#!/bin/sh
# test-dist.sh WIN_BUILD_DIR VERSION
# Makes the Windows download from the build's programs, unpacks it as a user would, and runs each
# program from the unpacked folder under Wine in the build's prefix.
set -eu
win=$1; version=$2
here=$(cd "$(dirname "$0")/.." && pwd)
wine_run="$here/cmake/wine-run.sh $win/wineprefix"
winpath() { $wine_run winepath -w "$1"; }
work=$(mktemp -d "${TMPDIR:-/tmp}/trimwell-dist.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

zip=$("$here/scripts/make-dist.sh" "$win" "$work/dist" "$version")
[ "$(basename "$zip")" = "Trimwell-$version-win64.zip" ] || fail "the download is named $zip"
unzip -q "$zip" -d "$work/unpacked"
top="Trimwell-$version-win64"
folder="$work/unpacked/$top"
listing=$(cd "$work/unpacked" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
expected="./$top/README.txt ./$top/Trimwell.exe ./$top/cfgtool.exe ./$top/skintool.exe "
[ "$listing" = "$expected" ] || fail "the zip holds: $listing"
[ "$(tr -cd '\r' < "$folder/README.txt" | wc -c)" -eq "$(wc -l < "$folder/README.txt")" ] ||
  fail "README.txt does not end every line with CR LF"
for program in Trimwell cfgtool skintool; do
  if x86_64-w64-mingw32-objdump -h "$folder/$program.exe" | grep -q '\.debug'; then
    fail "$program.exe keeps debug sections"
  fi
  x86_64-w64-mingw32-nm "$folder/$program.exe" 2>&1 | grep -q 'no symbols' || fail "$program.exe keeps its symbols"
done
# Wine maps a program whose sections start on page boundaries in the file; any other it reads
# whole into memory at every start.
x86_64-w64-mingw32-objdump -p "$folder/Trimwell.exe" | grep -q 'FileAlignment[[:space:]]*00001000' ||
  fail "Trimwell.exe's sections do not start on page boundaries in the file"
echo "unpacked: $listing"

# cfgtool: a scripted edit, read back, and the usage error.
printf '[fltsim.0]\r\ntitle=Old Paint\r\nsim=C172\r\n' > "$work/aircraft.cfg"
cfg=$(winpath "$work/aircraft.cfg")
$wine_run "$folder/cfgtool.exe" set "$cfg" fltsim.0 title "New Paint" || fail "cfgtool set"
[ "$($wine_run "$folder/cfgtool.exe" get "$cfg" fltsim.0 title | tr -d '\r')" = "New Paint" ] || fail "cfgtool get"
[ "$(cat "$work/aircraft.cfg")" = "$(printf '[fltsim.0]\r\ntitle=New Paint\r\nsim=C172\r')" ] ||
  fail "cfgtool set changed more than its line"
rc=0; $wine_run "$folder/cfgtool.exe" >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 2 ] || fail "cfgtool without arguments returned $rc, not 2"
echo "cfgtool.exe: set, get and usage as documented"

# skintool: the records of the skin both windows carry.
records=$($wine_run "$folder/skintool.exe" list "$(winpath "$win/generated/TRIMWELL_SKIN.sui")") ||
  fail "skintool list"
echo "$records" | grep -q SKIN2_ || fail "skintool list shows no skin records"
echo "skintool.exe: $(echo "$records" | wc -l) records listed"

# Trimwell: its window comes up.
$wine_run "$win/bin/startup_launcher.exe" 1 "\"$(winpath "$folder/Trimwell.exe")\"" || fail "Trimwell.exe did not come up"
echo "PASS"
