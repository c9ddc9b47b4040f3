#!/usr/bin/env bash
# Builds bounce for 64-bit Windows and writes its zip, installing what the build needs; prints
# the zip's path as its last line. freeglut comes from Debian's source archive, checked and
# cross-built with MinGW-w64 (windows/libraries.sh); every timestamp in the zip is the
# commit's time (SOURCE_DATE_EPOCH), so two builds of one commit give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh windows
source_date

windows/libraries.sh build/windows-deps
rm -rf build/windows
configure_build windows
echo "$PWD/build/windows/bounce-$(project_version build/windows)-windows-x86_64.zip"
