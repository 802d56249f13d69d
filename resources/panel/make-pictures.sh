#!/bin/sh
# Draws the control panel's button pictures and its decorations, each at
# its own size and at twice that size (NAME@2x.png) for screens that scale
# by 2, from the same drawing so both are sharp. Needs ImageMagick. Run from
# this folder; the PNGs are kept in the repo.
set -eu

dark='#1a365d'
blue='#2b6cb0'
sky='#bee3f8'
sun='#f6ad3b'
green='#2f855a'
leaf='#38a169'
red='#c53030'

# draw NAME WIDTH HEIGHT DRAWING: the drawing is in 1x pixels; lines of
# width 1 lie on half pixels so that they fill whole pixels at both scales.
draw() {
  name=$1 w=$2 h=$3 mvg=$4
  for s in 1 2; do
    out=$name.png
    [ "$s" = 2 ] && out=$name@2x.png
    convert -size $((w * s))x$((h * s)) xc:none -draw "scale $s,$s $mvg" \
      -define png:exclude-chunks=date,time -strip PNG32:"$out"
  done
}

# A small landscape picture in a frame, the base of the add and remove
# pictures.
picture="fill '$sky' stroke '$dark' stroke-width 1 rectangle 2.5,3.5 19.5,16.5
  stroke none fill '$sun' circle 7,8 7,9.6
  fill '$green' polygon 3,16 8,10.5 12,14 15,11 19,16"

draw cmdNewEntry 24 24 "$picture
  fill '$leaf' stroke white stroke-width 1 circle 17.5,17.5 17.5,23
  stroke white stroke-width 2 line 17.5,14.5 17.5,20.5 line 14.5,17.5 20.5,17.5"

draw cmdRemovePaper 24 24 "$picture
  fill '$red' stroke white stroke-width 1 circle 17.5,17.5 17.5,23
  stroke white stroke-width 2 line 15.5,15.5 19.5,19.5 line 19.5,15.5 15.5,19.5"

draw cmdEntryUp 24 24 "fill '$blue' stroke '$dark' stroke-width 1
  polygon 12,2.5 21.5,12 15.5,12 15.5,21.5 8.5,21.5 8.5,12 2.5,12"

draw cmdEntryDown 24 24 "fill '$blue' stroke '$dark' stroke-width 1
  polygon 12,21.5 21.5,12 15.5,12 15.5,2.5 8.5,2.5 8.5,12 2.5,12"

draw cmdActivate 24 24 "fill '$dark' stroke none roundrectangle 1.5,2.5 22.5,17.5 2,2
  fill '$sky' rectangle 3.5,4.5 20.5,15.5
  fill '#4a5568' polygon 9,17.5 15,17.5 16.5,21.5 7.5,21.5
  fill none stroke '$leaf' stroke-width 2.5 polyline 7,10 10.5,13.5 17,6.5"

draw cmdRotate 24 24 "fill none stroke '$blue' stroke-width 2.5
  path 'M 19,12 A 7,7 0 1,1 12,5'
  fill '$blue' stroke none polygon 11,0.5 17,5 11,9.5"

draw cmdCrop 24 24 "fill '$sky' stroke none rectangle 7,7 17,17
  fill '$dark' rectangle 5,1 7,19 rectangle 5,17 23,19 rectangle 1,5 19,7 rectangle 17,5 19,23"

draw cmdSchedule 24 24 "fill white stroke '$dark' stroke-width 1.5 circle 12,12 12,2.75
  stroke '$dark' stroke-width 1 line 12,4 12,5.5 line 12,18.5 12,20 line 4,12 5.5,12 line 18.5,12 20,12
  stroke '$dark' stroke-width 2 line 12,12 12,6.5
  stroke '$red' stroke-width 2 line 12,12 16,14.5
  fill '$dark' stroke none circle 12,12 12,13.2"

# The screen the preview sits in: the preview is placed 10 pixels from the
# left and 14 from the top, 156 x 114 pixels.
draw Image1 176 150 "fill '#2d3748' stroke '#1a202c' stroke-width 1 roundrectangle 0.5,0.5 175.5,137.5 8,8
  fill '#4a5568' stroke none roundrectangle 3,3 173,135 6,6
  fill '#1a202c' rectangle 8,12 167,129
  fill '$leaf' circle 88,133.5 88,135
  fill '#4a5568' polygon 76,138 100,138 104,145 72,145
  fill '#2d3748' roundrectangle 52,144 124,149.5 3,3"

# Decoration beside the entry buttons: a few pictures taking turns.
card() {
  x=$1 y=$2 fill=$3 hill=$4
  echo "fill white stroke '#718096' stroke-width 1 rectangle $x.5,$y.5 $((x + 25)).5,$((y + 19)).5
    stroke none fill '$fill' rectangle $((x + 2)),$((y + 2)) $((x + 24)),$((y + 18))
    fill '$hill' polygon $((x + 2)),$((y + 18)) $((x + 9)),$((y + 10)) $((x + 14)),$((y + 15)) $((x + 18)),$((y + 11)) $((x + 24)),$((y + 18))"
}
draw Image3 32 72 "$(card 3 2 '#fbd38d' '#c05621') $(card 5 26 "$sky" "$green") $(card 3 50 '#e9d8fd' '#553c9a')"

# Decoration at the foot of the panel: a fan of pictures.
draw Picture1 88 40 "$(card 6 14 '#fbd38d' '#c05621') $(card 30 8 '#e9d8fd' '#553c9a') $(card 54 2 "$sky" "$green")"
