#!/bin/sh
# Puts the pictures of Media/ on one sheet for docs/: run from the repository's top folder.
set -e
work=$(mktemp -d)
trap 'rm -r "$work"' EXIT
convert Media/Elle.tga -bordercolor '#202020' -border 6 "$work/Elle.png"
convert Media/ShadeBob.tga -background '#202020' -flatten "$work/ShadeBob.png"
convert Media/Polaroid.tga -alpha off "$work/Polaroid.png"
convert -size 640x352 -depth 8 gray:Media/bumpmap.raw -resize 50% "$work/bumpmap (heights).png"
montage -background '#202020' -fill '#dddddd' -font Liberation-Sans -pointsize 14 -label '%t' \
    Media/TLife.tga Media/TTunnel.tga "$work/Polaroid.png" "$work/ShadeBob.png" \
    "$work/bumpmap (heights).png" -tile 5x1 -geometry '+6+6' "$work/row.png"
convert "$work/Elle.png" "$work/row.png" -background '#202020' -gravity center -append \
    -depth 8 -strip docs/media-contact-sheet.png
