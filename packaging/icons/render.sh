#!/usr/bin/env bash
# Renders the scalable icons at the sizes the desktop (the hicolor theme) and web app installers
# use; the PNGs are committed, so only a changed icon needs this. Needs rsvg-convert
# (librsvg2-bin) and optipng.
set -euo pipefail
cd "$(dirname "$0")"
render() {
    rsvg-convert -w "$2" -h "$2" "$1.svg" -o "$3"
    optipng -quiet -o7 -strip all "$3"
}
for size in 16 32 48 64 128 192 256 512; do render bounce "$size" "bounce-$size.png"; done
render bounce-maskable 512 bounce-maskable.png
