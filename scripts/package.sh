#!/usr/bin/env bash
# Builds the source package from the files git tracks, each dated at the commit's time (not at
# whenever it was checked out), then the binary package with pbuilder in a clean chroot of the
# release (this machine's by default) with only the Build-Depends, for another architecture
# cross-built. Prints the .deb last; the .changes and build log are beside.
# Usage: scripts/package.sh [-r 12|13] [architecture] (as root or through sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
. /etc/os-release
release=$(codename "$VERSION_ID")
[ "${1:-}" != -r ] || { release=$(codename "$2") && shift 2; }
arch=${1:-$(dpkg --print-architecture)}
scripts/deps.sh package
source_date
version=$(dpkg-parsechangelog -SVersion)
out=$PWD/build/debian/$release-$arch
place=$PWD/build/pbuilder-build

rm -rf "$out"
mkdir -p "$out/bounce-$version" "$place"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ ! -e "$file" ] || printf '%s\0' "$file"; done |
    tar --null -T - --mtime="@$SOURCE_DATE_EPOCH" -cf - | tar -xf - -C "$out/bounce-$version"
(cd "$out" && dpkg-source -b "bounce-$version" >/dev/null)

# One base system per release, made once and brought up to date when an hour old.
base=$(pbuilder_base "$release") options=(--basetgz "$base" --buildplace "$place" --aptcache ""
    --configfile "$place/pbuilderrc")
# apt resolves the Build-Depends, as it must for a cross build's multiarch ones.
echo PBUILDERSATISFYDEPENDSCMD=/usr/lib/pbuilder/pbuilder-satisfydepends-apt >"$place/pbuilderrc"
if [ ! -f "$base" ]; then
    sources=$(debian_sources "$release")
    read -r _ uri _ <<<"$sources"
    as_root pbuilder create "${options[@]}" --distribution "$release" --mirror "$uri" \
        --othermirror "$(tail -n +2 <<<"$sources" | paste -sd '|')" >"$out/base.log" 2>&1
elif [ -z "$(find "$base" -mmin -60)" ]; then
    as_root pbuilder update "${options[@]}" >"$out/base.log" 2>&1
fi || { tail -n 40 "$out/base.log" >&2; fail "pbuilder's base system for $release"; }
as_root pbuilder build "${options[@]}" --host-arch "$arch" --buildresult "$out" \
    --logfile "$out/build.log" "$out/bounce_$version.dsc" >/dev/null 2>&1 ||
    { tail -n 40 "$out/build.log" >&2; fail "the $arch build on $release"; }
echo "$out/bounce_${version}_$arch.deb"
