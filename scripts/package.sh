#!/usr/bin/env bash
# Builds the release Debian package from a fresh build folder, installing what the build
# needs, and prints the package's path as its last line. Every timestamp in the package is
# the commit's time (SOURCE_DATE_EPOCH), so two builds of one commit are byte-identical.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh package
source_date

rm -rf build/app
configure_build app
(cd build/app && cpack >cpack.log 2>&1) || { cat build/app/cpack.log >&2; exit 1; }
echo "$PWD/build/app/bounce_$(project_version build/app)_$(dpkg --print-architecture).deb"
