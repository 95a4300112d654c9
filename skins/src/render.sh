#!/bin/sh
# Draws the default skin: writes skins/default.tvs and the SVG sources in
# skins/src/svg/ (make_skin.py), then renders every SVG to a PNG picture in
# skins/default/. Needs python3 and rsvg-convert (librsvg2-bin).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../default"

python3 -B "$here/make_skin.py"

mkdir -p "$out"
rm -f "$out"/*.png
for source in "$here"/svg/*.svg; do
  name=$(basename "$source" .svg)
  rsvg-convert --format=png --output="$out/$name.png" "$source"
done
echo "rendered $(ls "$out"/*.png | wc -l) pictures into $out"
