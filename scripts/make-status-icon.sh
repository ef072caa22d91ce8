#!/usr/bin/env bash
# Draws the tray icons "StatusIcon" and "StatusIconHighlighted" (an eyedropper)
# with ImageMagick, each at 22×22 and 44×44 (@2x) in resources/images/.
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

render() { # size file glyph rim
  local size=$1 file=$2 glyph=$3 rim=$4 big=$(($1 * 8))
  local scale
  scale=$(awk -v s="$big" 'BEGIN { printf "%.4f", s / 22 }')
  convert -size "${big}x${big}" xc:none \
    -fill "$rim" -stroke "$rim" -strokewidth 1.6 \
    -draw "scale $scale,$scale $(shape | tr '\n' ' ')" \
    -fill "$glyph" -stroke none \
    -draw "scale $scale,$scale $(shape | tr '\n' ' ')" \
    -filter Box -resize "${size}x${size}" \
    -strip -define png:exclude-chunks=date,time "PNG32:$file"
}

# The normal icon: a dark glyph with a light rim. The highlighted one (the
# window is open, or the panel is dark): a white glyph with a dark rim.
render 22 "$out/StatusIcon.png" '#202020' '#f4f4f4'
render 44 "$out/StatusIcon@2x.png" '#202020' '#f4f4f4'
render 22 "$out/StatusIconHighlighted.png" '#ffffff' '#303030'
render 44 "$out/StatusIconHighlighted@2x.png" '#ffffff' '#303030'
echo "wrote the StatusIcon and StatusIconHighlighted images in $out"

