#!/bin/sh
# make-dist.sh WIN_BUILD_DIR DIST_DIR VERSION
# Packs what a Windows user downloads: DIST_DIR/Trimwell-VERSION-win64.zip, one folder holding
# the three programs, stripped, and the short readme with Windows line ends. Prints the zip's path.
set -eu
win=$1; dist=$2; version=$3
here=$(cd "$(dirname "$0")/.." && pwd)
name="Trimwell-$version-win64"
stage="$dist/$name"
rm -rf "$stage" "$dist/$name.zip"
mkdir -p "$stage"
for program in Trimwell cfgtool skintool; do
  x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$win/bin/$program.exe"
done
sed 's/$/\r/' "$here/resources/dist/README.txt" > "$stage/README.txt"
(cd "$dist" && zip -q -r -X "$name.zip" "$name")
rm -rf "$stage"
echo "$dist/$name.zip"
