#!/bin/sh
# Draws the pictures of the update window: the full logo for the white logo
# box at the top of each page (the woven square and the program's name on
# white), and the download picture (an arrow into a tray).
set -e
cd "$(dirname "$0")"
convert -size 236x40 xc:white \
  -fill '#3b2412' -draw 'rectangle 4,4 35,35' \
  -fill '#d9a441' -draw 'rectangle 7,8 32,12' -draw 'rectangle 7,18 32,22' -draw 'rectangle 7,28 32,31' \
  -fill '#2f8f83' -draw 'rectangle 10,7 14,33' -draw 'rectangle 21,7 25,33' \
  -fill '#d9a441' -draw 'rectangle 10,18 14,22' -draw 'rectangle 21,8 25,12' -draw 'rectangle 21,28 25,31' \
  -font DejaVu-Sans-Bold -pointsize 27 -fill '#3b2412' -annotate +46+31 'Tapestrel' \
  -type TrueColor PNG24:full-logo.png
convert -size 48x48 xc:none \
  -fill '#3b2412' -draw 'polygon 4,30 10,30 10,40 38,40 38,30 44,30 44,46 4,46' \
  -fill '#2f8f83' -draw 'rectangle 19,2 29,20' -draw 'polygon 10,20 38,20 24,36' \
  -fill '#d9a441' -draw 'rectangle 21,4 27,20' -draw 'polygon 15,22 33,22 24,32' \
  PNG32:download.png
