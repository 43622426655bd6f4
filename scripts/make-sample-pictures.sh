#!/usr/bin/env bash
# Draws the sample pictures under sample/pictures/ with ImageMagick from
# shapes and text of our own, one picture per format the overlay items read:
#   portrait.jpg  a head-and-shoulders figure (JPEG, 240 x 320)
#   house.png     a house with a transparent sky (PNG with alpha, 200 x 150)
#   tree.gif      a tree of circles (interlaced GIF, 16 colours, 120 x 160)
#   crest.pcx     a shield with a chevron (PCX, 256-colour palette, 96 x 112)
#   map.bmp       a small map of fields and a river (BMP, 24 bits, 180 x 120)
# The files are checked in; run this only to remake them.
set -euo pipefail
out="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/sample/pictures"
mkdir -p "$out"
convert -size 240x320 xc:'#d8e4f0' \
  -fill '#30405a' -draw 'ellipse 120,330 100,90 180,360' \
  -fill '#f0c8a0' -draw 'ellipse 120,130 55,70 0,360' \
  -fill '#5a3820' -draw 'ellipse 120,80 58,30 180,360' \
  -fill black -draw 'circle 100,125 100,131' -draw 'circle 140,125 140,131' \
  -stroke '#a04030' -strokewidth 3 -fill none -draw 'arc 100,150 140,180 20,160' \
  -quality 85 -strip "$out/portrait.jpg"
convert -size 200x150 xc:none \
  -fill '#b03a2e' -draw 'polygon 20,70 100,15 180,70' \
  -fill '#e8d8b0' -draw 'rectangle 35,70 165,140' \
  -fill '#6a4a2a' -draw 'rectangle 90,100 110,140' \
  -fill '#88b8e8' -draw 'rectangle 50,85 75,105' -draw 'rectangle 125,85 150,105' \
  -fill '#3a7a3a' -draw 'rectangle 0,140 200,150' \
  -strip "$out/house.png"
convert -size 120x160 xc:white \
  -fill '#6a4a2a' -draw 'rectangle 52,100 68,155' \
  -fill '#2e7d32' -draw 'circle 60,60 60,15' \
  -fill '#43a047' -draw 'circle 35,80 35,55' -draw 'circle 85,80 85,55' \
  -fill '#c62828' -draw 'circle 45,50 45,44' -draw 'circle 75,70 75,64' -draw 'circle 60,90 60,84' \
  -colors 16 -interlace GIF -strip "$out/tree.gif"
convert -size 96x112 xc:white \
  -fill '#1a3a8a' -draw 'polygon 8,8 88,8 88,60 48,104 8,60' \
  -fill '#e0b020' -draw 'polygon 8,60 48,24 88,60 88,76 48,40 8,76' \
  -fill white -draw 'circle 48,80 48,72' \
  -type palette "$out/crest.pcx"
convert -size 180x120 xc:'#8ab860' \
  -fill '#b8d080' -draw 'rectangle 0,0 80,55' -draw 'rectangle 100,65 180,120' \
  -fill '#d8c070' -draw 'rectangle 100,0 180,50' \
  -stroke '#3070c0' -strokewidth 8 -fill none -draw 'bezier 0,90 60,40 120,110 180,60' \
  -stroke none -fill black -draw 'circle 40,30 40,27' -draw 'circle 140,90 140,87' \
  -type truecolor "bmp3:$out/map.bmp"
echo "sample pictures in $out"
