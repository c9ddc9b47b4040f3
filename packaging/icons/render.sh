#!/usr/bin/env bash
# Renders the scalable icon at the hicolor theme's usual sizes; the PNGs are committed, so
# only a changed icon needs this. Needs rsvg-convert (librsvg2-bin) and optipng.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" bounce.svg -o "bounce-$size.png"
    optipng -quiet -o7 -strip all "bounce-$size.png"
done
