#!/usr/bin/env bash
# Builds the Debian package and checks it as a distribution would: its fields and files,
# lintian, the hardening of the executable, the desktop entry, AppStream metadata and manual
# page, a second build in another folder byte for byte, and a clean minimal system where it
# installs, runs under Xvfb until a key press, and purges without a trace.
# Usage: scripts/package-test.sh (after scripts/deps.sh test; as root or through sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

work=$(mktemp -d)
root=$work/root
cleanup() {
    mountpoint -q "$root/proc" && as_root umount "$root/proc"
    as_root rm -rf --one-file-system "$work"
}
trap cleanup EXIT

deb=$(scripts/package.sh | tail -n 1)
echo "== $deb"
version=$(project_version build/app)
id=$(sed -n 's/^set(BOUNCE_APP_ID \(.*\))$/\1/p' packaging/package.cmake)
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "package version is not $version"
[ "$(field Section)" = graphics ] || fail "section is not graphics"
depends=$(field Depends)
echo "Depends: $depends"
grep -q 'libglut3' <<<"$depends" || fail "Depends does not name freeglut's runtime"
grep -q -E 'libopengl0|libgl1' <<<"$depends" || fail "Depends does not name an OpenGL runtime"
! grep -q -- '-dev' <<<"$depends" || fail "Depends names a development package"

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
expected=$(sort <<EOF
./usr/bin/bounce
./usr/share/applications/$id.desktop
./usr/share/doc/bounce/changelog.gz
./usr/share/doc/bounce/copyright
./usr/share/icons/hicolor/scalable/apps/$id.svg
$(for size in 16 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${size}x$size/apps/$id.png"; done)
./usr/share/man/man6/bounce.6.gz
./usr/share/metainfo/$id.metainfo.xml
EOF
)
[ "$files" = "$expected" ] || fail "unexpected files in the package:"$'\n'"$files"

echo "== lintian"
tags=$(lintian -I --pedantic "$deb" 2>/dev/null) || fail "lintian:"$'\n'"$tags"
[ -z "$tags" ] || fail "lintian tags at -I --pedantic:"$'\n'"$tags"
echo "no tags at -I --pedantic"

unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
zcat "$unpacked/usr/share/doc/bounce/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -SVersion)" = "$version" ] ||
    fail "the changelog's latest entry is not $version"

echo "== hardening-check"
report=$(hardening-check "$unpacked/usr/bin/bounce" || true)
echo "$report"
for line in 'Position Independent Executable: yes' 'Stack protected: yes' \
    'Read-only relocations: yes' 'Immediate binding: yes'; do
    grep -q "$line" <<<"$report" || fail "hardening-check: not '$line'"
done
# Stack clash probes appear only in functions whose frame exceeds a page, and bounce has
# none; the flag itself is checked in the build.
grep -q -E 'Stack clash protection: (yes|unknown, no -fstack-clash-protection instructions)' \
    <<<"$report" || fail "hardening-check: stack clash protection"
grep -q -e '-fstack-clash-protection' build/app/compile_commands.json ||
    fail "the package is not built with -fstack-clash-protection"
# The linker marks a program as CET-enabled only when every object in it is; where the C
# library's start files are built without that mark, none can be, so the instrumentation of
# bounce's own code (an endbr64 at each function) is checked instead.
if ! grep -q 'Control flow integrity: yes' <<<"$report"; then
    scrt=$(gcc -print-file-name=Scrt1.o)
    ! grep -q 'x86 feature: IBT' <<<"$(readelf -n "$scrt")" || fail "hardening-check: control flow"
    grep -q endbr64 <<<"$(objdump -d "$unpacked/usr/bin/bounce")" || fail "no endbr64 in bounce"
    echo "(control flow: instrumented; $scrt carries no CET mark)"
fi

echo "== desktop entry, AppStream metadata, manual page"
desktop-file-validate "$unpacked/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$unpacked/usr/share/metainfo/$id.metainfo.xml"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l \
    "$unpacked/usr/share/man/man6/bounce.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"

echo "== reproducible: a second build in another folder"
copy_tree "$work/copy"
second=$("$work/copy/scripts/package.sh" | tail -n 1)
cmp "$deb" "$second" || fail "two builds of the same commit differ"

echo "== a clean minimal system"
make_debian "$root"
as_root mount -t proc proc "$root/proc"
as_root cp "$deb" "$root/tmp/bounce.deb"
# apt's own chatter about the bare chroot (no /dev/pts, no apt-utils) goes to a log.
in_root() {
    as_root chroot "$root" env DEBIAN_FRONTEND=noninteractive "$@" >"$work/log" 2>&1 ||
        { cat "$work/log" >&2; fail "in the clean system: $*"; }
}
in_root apt-get install -y /tmp/bounce.deb
in_root dpkg -L bounce
mapfile -t installed < <(while read -r path; do [ -d "$root$path" ] || echo "$path"; done <"$work/log")
# The end-to-end harness starts Xvfb on this side; the program reaches it from inside.
printf '#!/bin/sh\nexec %s chroot %s /usr/bin/bounce "$@"\n' \
    "$([ "$(id -u)" -eq 0 ] || echo sudo)" "$root" >"$work/bounce"
chmod +x "$work/bounce"
configure_build ci e2e_tests
BOUNCE_EXECUTABLE=$work/bounce build/ci/tests/e2e/e2e_tests --gtest_brief=1 \
    --gtest_filter='Essentials*'
in_root apt-get purge -y bounce
for path in "${installed[@]}"; do
    [ ! -e "$root$path" ] || fail "purge left $path"
done
echo "package $deb passed (${#installed[@]} files installed and purged)"
