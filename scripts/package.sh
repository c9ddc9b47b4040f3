#!/usr/bin/env bash
# Builds the release Debian package from a fresh build folder, installing what the build
# needs, and prints the package's path as its last line. Every timestamp in the package is
# the commit's time (SOURCE_DATE_EPOCH), so two builds of one commit are byte-identical.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package

source scripts/source-date.sh

rm -rf build/package
cmake --preset package >/dev/null
cmake --build --preset package -j"$(nproc)" >/dev/null
(cd build/package && cpack >cpack.log 2>&1) || { cat build/package/cpack.log >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package/CMakeCache.txt)
echo "$PWD/build/package/bounce_${version}_$(dpkg --print-architecture).deb"
