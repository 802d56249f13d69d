#!/bin/sh
# Draws the small mark laid on the wallpaper's bottom-right corner: a woven
# square and the program's name on pure blue, the colour the renderer treats
# as see-through. Drawn without anti-aliasing so that no half-blue pixels
# fringe the letters.
set -e
cd "$(dirname "$0")"
convert -size 198x30 xc:'#0000ff' +antialias \
  -fill '#3b2412' -draw 'rectangle 3,3 26,26' \
  -fill '#d9a441' -draw 'rectangle 5,6 24,9' -draw 'rectangle 5,14 24,17' -draw 'rectangle 5,22 24,24' \
  -fill '#2f8f83' -draw 'rectangle 7,5 10,25' -draw 'rectangle 15,5 18,25' \
  -fill '#d9a441' -draw 'rectangle 7,14 10,17' -draw 'rectangle 15,6 18,9' -draw 'rectangle 15,22 18,24' \
  -font Helvetica-Bold -pointsize 27 \
  -fill '#3b2412' -annotate +35+24 'Tapestrel' -annotate +37+24 'Tapestrel' \
  -annotate +35+26 'Tapestrel' -annotate +37+26 'Tapestrel' \
  -fill '#f4ead2' -annotate +36+25 'Tapestrel' \
  -type TrueColor BMP3:logo.bmp
