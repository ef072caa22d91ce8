#!/usr/bin/env bash
# Draws the tray icon "StatusIcon" (an eyedropper) with ImageMagick:
# resources/images/StatusIcon.png (22×22) and StatusIcon@2x.png (44×44).
# The glyph is one dark tone with a thin light rim, so it reads on light and
# dark panels alike. Drawn large on a 22-unit grid, then scaled down.
set -euo pipefail
cd "$(dirname "$0")/.."

out=resources/images
mkdir -p "$out"

# The eyedropper lies along the x axis of a frame centred on the icon and
# turned 45° so that the bulb points up and to the right:
#
#   tip      glass tube        collar  bulb
#   <|======================|##|(=========)
#  -12.5                   2  4.5        12
shape() {
  cat <<SHAPE
translate 11,11 rotate -45 scale 0.9,0.9
polygon -12.5,0 -8.5,-1.3 -8.5,1.3
rectangle -8.7,-1.5 2.2,1.5
roundrectangle 2,-3.3 4.7,3.3 0.6,0.6
roundrectangle 4.4,-2.5 12.2,2.5 2.4,2.4
SHAPE
}

render() { # size file
  local size=$1 file=$2 big=$(($1 * 8))
  local scale
  scale=$(awk -v s="$big" 'BEGIN { printf "%.4f", s / 22 }')
  convert -size "${big}x${big}" xc:none \
    -fill '#f4f4f4' -stroke '#f4f4f4' -strokewidth 1.6 \
    -draw "scale $scale,$scale $(shape | tr '\n' ' ')" \
    -fill '#202020' -stroke none \
    -draw "scale $scale,$scale $(shape | tr '\n' ' ')" \
    -filter Box -resize "${size}x${size}" \
    -strip -define png:exclude-chunks=date,time "PNG32:$file"
}

render 22 "$out/StatusIcon.png"
render 44 "$out/StatusIcon@2x.png"
echo "wrote $out/StatusIcon.png and $out/StatusIcon@2x.png"
