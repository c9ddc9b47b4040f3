#!/usr/bin/env bash
# Makes the README's picture anew: runs the real bounce under Xvfb, writes docs/bounce.png
# (its motion as a fading trail) and, where ImageMagick is installed as /usr/bin/convert,
# docs/bounce.gif from the same frames.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh e2e
configure_build release bounce bounce_picture

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
build/release/tests/e2e/bounce_picture docs/bounce.png "$frames"
echo "wrote docs/bounce.png"
if [ -x /usr/bin/convert ] && /usr/bin/convert -version 2>/dev/null | grep -q ImageMagick; then
    /usr/bin/convert -delay 20 -loop 0 "$frames"/frame*.png docs/bounce.gif
    echo "wrote docs/bounce.gif"
fi
