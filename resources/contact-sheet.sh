#!/bin/sh
# Builds one labelled image of every picture the program carries, grouped by where it belongs.
# usage: contact-sheet.sh OUT.png WORK_DIR GROUP_TITLE:DIR:PATTERN ...
# Small pictures are enlarged (pixels kept sharp) so their detail can be judged.
set -eu
out=$1 work=$2
shift 2
rm -rf "$work" && mkdir -p "$work"
groups=""
n=0
for entry in "$@"; do
  title=${entry%%:*} rest=${entry#*:}
  dir=${rest%%:*} pattern=${rest#*:}
  n=$((n + 1))
  tiles=""
  for f in "$dir"/$pattern; do
    [ -f "$f" ] || continue
    name=$(basename "$f" .bmp)
    w=$(identify -format '%w' "$f")
    h=$(identify -format '%h' "$f")
    scale=100
    if [ "$w" -le 120 ] && [ "$h" -le 120 ]; then scale=300; elif [ "$w" -le 360 ] && [ "$h" -le 120 ]; then scale=200; fi
    tile="$work/$n-$name.png"
    convert "$f" -filter point -resize "$scale%" -bordercolor '#9aa4b0' -border 1 \
      \( -background none -fill '#1a2a40' -pointsize 11 label:"$name ${w}x${h}" \) \
      -background '#eef1f5' -gravity center -append -bordercolor '#eef1f5' -border 6 "$tile"
    tiles="$tiles $tile"
  done
  [ -n "$tiles" ] || continue
  # shellcheck disable=SC2086
  montage $tiles -mode concatenate -tile 6x -background '#eef1f5' "$work/group-$n.png"
  convert \( -background "#33506e" -fill white -pointsize 16 label:" $title" -gravity west -extent 1400x26 \) \
    "$work/group-$n.png" -background '#eef1f5' -gravity west -append "$work/group-$n.png"
  groups="$groups $work/group-$n.png"
done
# shellcheck disable=SC2086
convert $groups -background '#eef1f5' -gravity west -append +repage "$out"
