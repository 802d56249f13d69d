#!/bin/sh
# Draws the program icon (a landscape in front of a second picture: a list of
# pictures that takes turns) at 256 pixels and scales it to the sizes trays
# and menus ask for. Needs ImageMagick. Run from this folder; the PNGs are
# kept in the repo. tapestrel.svg is the same drawing, for the icon theme's
# scalable size: change both together.
set -eu
convert -size 256x256 xc:none \
  -fill '#f6ad3b' -stroke '#1a365d' -strokewidth 6 -draw 'roundrectangle 64,14 246,170 18,18' \
  -stroke none \
  \( -size 196x150 gradient:'#2b6cb0-#9ad0f5' \) -geometry +14+92 -composite \
  -fill '#fbd38d' -draw 'circle 160,132 160,152' \
  -fill '#2f855a' -draw 'polygon 14,242 84,160 130,210 156,186 210,242' \
  -fill '#22543d' -draw 'polygon 14,242 50,200 96,242' \
  -fill none -stroke '#f7fafc' -strokewidth 12 -draw 'roundrectangle 14,92 210,242 14,14' \
  -stroke '#1a365d' -strokewidth 6 -draw 'roundrectangle 6,84 218,250 20,20' \
  tapestrel-256.png
for size in 16 22 24 32 48 64 128; do
  convert tapestrel-256.png -filter Lanczos -resize ${size}x${size} tapestrel-${size}.png
done
