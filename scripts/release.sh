#!/usr/bin/env bash
# Builds every file of a release into build/dist, installing what the builds need: the source
# package and Debian 12's binary packages (which serve 13 too) for the architectures named
# (amd64, arm64 and armhf by default), the Windows zip, the web app (the page, its manifest,
# icons and service worker) as one archive, and SHA256SUMS. Every timestamp is the commit's
# time, so two runs on one commit give the same files. Prints the folder last.
# Usage: scripts/release.sh [architecture...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
source_date
[ $# -gt 0 ] || set -- amd64 arm64 armhf

dist=$PWD/build/dist
rm -rf "$dist"
mkdir -p "$dist"
for arch in "$@"; do
    deb=$(scripts/package.sh -r 12 "$arch" | tail -n 1)
    cp "$deb" "$(dirname "$deb")"/bounce_*.dsc "$(dirname "$deb")"/bounce_*.tar.xz "$dist/"
done
cp "$(scripts/windows.sh | tail -n 1)" "$dist/"

scripts/deps.sh web
rm -rf build/web
configure_build web
web=bounce-$(project_version build/web)-web
cmake --install build/web --prefix "build/web/$web" >/dev/null
cp LICENSE "build/web/$web/"
tar --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner \
    -C build/web -cf - "$web" | gzip -9n >"$dist/$web.tar.gz"

(cd "$dist" && sha256sum -- *.dsc *.tar.xz *.deb *.zip *.tar.gz >SHA256SUMS)
cat "$dist/SHA256SUMS" >&2
echo "$dist"
