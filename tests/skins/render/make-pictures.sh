#!/bin/sh
# Makes the pictures of the renderer's test skin (tests/skins/render.tvs) with
# ImageMagick. Shapes are drawn without anti-aliasing so that the magenta
# around them stays exactly 255,0,255 (the transparent colour of skin
# pictures); the pictures' PNG files are committed beside this script.
set -e
cd "$(dirname "$0")"

# The window background: a dark vertical gradient.
convert -size 480x270 gradient:'#24344e'-'#06080e' -strip -depth 8 PNG24:background.png

# A panel with rounded corners on magenta.
convert -size 64x64 xc:magenta +antialias -fill '#1b2230' -stroke '#3c4a66' \
  -draw 'roundrectangle 0,0 63,63 10,10' -strip -depth 8 PNG24:panel.png

# The title bar: a horizontal gradient.
convert -size 16x256 gradient:'#3a5a8c'-'#17243a' -rotate -90 -strip -depth 8 PNG24:titlebar.png

# Buttons in their four states: idle, selected (focused), pressed (on),
# disabled (on and focused).
for state in idle:#2c3a52 selected:#4a78c0 pressed:#2f7d4a disabled:#55b070; do
  name=${state%%:*}
  colour=${state#*:}
  convert -size 48x48 xc:magenta +antialias -fill "$colour" -stroke '#101418' \
    -draw 'roundrectangle 1,1 46,46 9,9' -strip -depth 8 "PNG24:button_$name.png"
done

# A frame: magenta border around a blue centre, for the test that scaled
# pictures have no pink fringe.
convert -size 16x16 xc:magenta +antialias -fill '#0000ff' -draw 'rectangle 3,3 12,12' \
  -strip -depth 8 PNG24:frame.png
