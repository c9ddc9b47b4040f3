#!/usr/bin/env bash
# Builds the release Debian package for the machine's own architecture, or for another one
# through multiarch (arm64, armhf), from a fresh build folder, installing what the build
# needs; prints the package's path as its last line. Every timestamp in the package is the
# commit's time (SOURCE_DATE_EPOCH), so two builds of one commit are byte-identical.
# Usage: scripts/package.sh [architecture]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
arch=${1:-$(dpkg --print-architecture)}
preset=app
if [ "$arch" != "$(dpkg --print-architecture)" ]; then
    preset=$arch
    scripts/deps.sh "$arch"
fi
scripts/deps.sh package
source_date

rm -rf "build/$preset"
configure_build "$preset"
(cd "build/$preset" && cpack >cpack.log 2>&1) || { cat "build/$preset/cpack.log" >&2; exit 1; }
echo "$PWD/build/$preset/bounce_$(project_version "build/$preset")_$arch.deb"
