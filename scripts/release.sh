#!/usr/bin/env bash
# Builds every file of a release into build/dist, installing what the builds need: the Debian
# source package and the binary packages for the architectures named (amd64, arm64 and armhf
# by default), built for Debian 12, whose packages install on 13 too; the Windows zip,
# the web page as one archive (bounce.html, bounce.js, bounce.wasm and the licence), and
# SHA256SUMS over them. Every timestamp is the commit's time (in the binary packages, their
# changelog entry's, as Debian builds them), so two runs on one commit give the same
# files. Prints the folder as its last line. Usage: scripts/release.sh [architecture...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
source_date
[ $# -gt 0 ] || set -- amd64 arm64 armhf

dist=$PWD/build/dist
rm -rf "$dist"
mkdir -p "$dist"
for arch in "$@"; do
    changes=$(scripts/package.sh -r 12 "$arch" | tail -n 1)
    cp "${changes%.changes}.deb" "$dist/"
done
cp "$(dirname "$changes")"/bounce_*.dsc "$(dirname "$changes")"/bounce_*.tar.xz "$dist/"
cp "$(scripts/windows.sh | tail -n 1)" "$dist/"

scripts/deps.sh web
rm -rf build/web
configure_build web
web=bounce-$(project_version build/web)-web
mkdir -p "build/web/$web"
cp build/web/bounce.html build/web/bounce.js build/web/bounce.wasm LICENSE "build/web/$web/"
tar --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner \
    -C build/web -cf - "$web" | gzip -9n >"$dist/$web.tar.gz"

(cd "$dist" && sha256sum -- *.dsc *.tar.xz *.deb *.zip *.tar.gz >SHA256SUMS)
cat "$dist/SHA256SUMS" >&2
echo "$dist"
