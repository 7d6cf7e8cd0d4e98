#!/usr/bin/env bash
# Renders the application icons' PNG sizes for the hicolor theme from their SVG sources.
# The PNGs are kept in the repository so that building needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
if ! command -v rsvg-convert >/dev/null; then
  echo "render-icons: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2
  exit 1
fi
for svg in *.svg; do
  name=${svg%.svg}
  for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$svg" -o "${size}x${size}/$name.png"
  done
done
echo "render-icons: $(ls */*.png | wc -l) PNGs from $(ls *.svg | wc -l) SVGs"
