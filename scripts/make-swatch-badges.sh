#!/bin/sh
# Draws the two small badges that a colour's swatch carries in its lower left:
# "rgb" and "cmyk" in white on a translucent dark pill. They are 14 × 6 points,
# stored at twice that in pixels (28 × 12); the swatch code draws them at that scale.
#
# Needs ImageMagick's `convert`. Run from anywhere; writes resources/images/.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out="$here/../resources/images"
mkdir -p "$out"

badge() {
    # $1 text, $2 output file, $3 point size that makes the text fit the width
    convert -size 28x12 xc:none \
        -fill 'rgba(0,0,0,0.62)' -draw 'roundrectangle 0,0 27,11 4,4' \
        -fill white -font DejaVu-Sans-Bold -pointsize "$3" \
        -gravity center -annotate +0+0 "$1" \
        -strip -define png:exclude-chunks=date,time,tIME \
        "PNG32:$2"
}

badge rgb "$out/rgb.png" 9
badge cmyk "$out/cmyk.png" 8
