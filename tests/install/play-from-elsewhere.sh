#!/usr/bin/env bash
# Plays an installed program from a folder of its own (no Media there, settings in it too),
# with screenshots inside two scenes that draw the demo's pictures, and checks that they are
# not black: the program found its libraries and its media from where it lies.
#   play-from-elsewhere.sh PROGRAM FOLDER
set -euo pipefail
program=$1
folder=$2
mkdir -p "$folder"
cd "$folder"
status=0
XDG_CONFIG_HOME="$folder/config" "$program" --headless --sound 22 --seed 1 \
  --screenshot 22000:a.png --screenshot 60000:b.png --stop-at 60100 2>stderr || status=$?
[ "$status" = 0 ] || { cat stderr; echo "$program ended with status $status"; exit 1; }
for shot in a b; do
  mean=$(convert "$shot.png" -format '%[fx:mean]' info:)
  awk -v mean="$mean" 'BEGIN { exit !(mean > 0.01) }' ||
    { cat stderr; echo "$program from $folder: $shot.png is black ($mean)"; exit 1; }
done
