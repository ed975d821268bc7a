#!/bin/sh
# tools/art-check must miss its goals on spoiled media: a dim picture, a flat height map, a
# small bob and a song that stops without its ending. Arguments: source folder, Glimmerfall, mediagen.
set -eu
source=$1 program=$2 mediagen=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The song without its last pattern (the ringing chord and the silence).
sed 's/^order final1 final2 final3 outro$/order final1 final2 final3/' \
  "$source/tools/mediagen/score/glimmerfall.score" >"$work/short.score"
cmp -s "$work/short.score" "$source/tools/mediagen/score/glimmerfall.score" &&
  { echo "the score's last order line changed: update this test"; exit 1; }
"$mediagen" --score "$work/short.score" "$work/Media"
# The key picture at a quarter of its brightness, the bob shrunk to 12 x 12 pixels, the
# height map flat.
convert "$work/Media/Elle.tga" -evaluate multiply 0.25 -orient TopLeft "$work/Media/Elle.tga"
convert "$work/Media/ShadeBob.tga" -resize 12x12 -orient TopLeft "$work/Media/ShadeBob.tga"
convert -size 640x352 xc:black -depth 8 "gray:$work/Media/bumpmap.raw"

status=0
"$source/tools/art-check" --program "$program" --media "$work/Media" \
  --score "$work/short.score" >"$work/report.txt" 2>&1 || status=$?
cat "$work/report.txt"
[ "$status" -eq 1 ] || { echo "art-check ended with status $status, not 1"; exit 1; }
for missed in "wave strip: lit" "bump light: lit" "shade bobs: lit" "silent ending" \
  "silence before the last row"; do
  grep "^Missed:" "$work/report.txt" | grep -q "$missed" ||
    { echo "art-check did not miss: $missed"; exit 1; }
done
echo "art-check caught every spoiled part"
