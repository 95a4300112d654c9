#!/usr/bin/env bash
# Prints $PATH with every folder that holds zenity replaced by a folder of links
# to everything else in it, made under the folder given as the argument, so
# that the display tests run as on a fresh machine without zenity.
set -euo pipefail
shims=$1
display_path=""
IFS=: read -ra path_folders <<< "$PATH"
for folder in "${path_folders[@]}"; do
  if [ -e "$folder/zenity" ]; then
    shim="$shims/${#display_path}"
    mkdir -p "$shim"
    for tool in "$folder"/*; do
      [ "$(basename "$tool")" = zenity ] || ln -s "$tool" "$shim/"
    done
    folder="$shim"
  fi
  display_path="${display_path:+$display_path:}$folder"
done
echo "$display_path"
