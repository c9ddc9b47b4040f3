#!/usr/bin/env bash
# Builds the Debian package and checks it as a distribution would: its fields and files,
# lintian, the hardening of the executable, the desktop entry, AppStream metadata and manual
# page, a second build on the other kind of filesystem byte for byte, and clean minimal
# Debian 12 and 13 systems of the package's architecture: in the release it is built on and
# later ones it installs, runs under Xvfb up to a bounce and a key press (through qemu for
# another architecture) and purges without a trace; an earlier release refuses it.
# Usage: scripts/package-test.sh [architecture] (after scripts/deps.sh test, and for another
# architecture ARCH-test; as root or through sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
arch=${1:-$(dpkg --print-architecture)}
build=build/app
[ "$arch" = "$(dpkg --print-architecture)" ] || build=build/$arch

work=$(mktemp -d)
root=$work/root
cleanup() {
    mountpoint -q "$root/proc" && as_root umount "$root/proc"
    as_root rm -rf --one-file-system "$work"
}
trap cleanup EXIT

deb=$(scripts/package.sh "$arch" | tail -n 1)
echo "== $deb"
version=$(project_version "$build")
id=$(sed -n 's/^set(BOUNCE_APP_ID \(.*\))$/\1/p' packaging/package.cmake)
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "package version is not $version"
[ "$(field Section)" = graphics ] || fail "section is not graphics"
[ "$(field Architecture)" = "$arch" ] || fail "the package is not for $arch"
depends=$(field Depends)
echo "Depends: $depends"
grep -q 'libglut3' <<<"$depends" || fail "Depends does not name freeglut's runtime"
grep -q -E 'libopengl0|libgl1' <<<"$depends" || fail "Depends does not name an OpenGL runtime"
! grep -q -- '-dev' <<<"$depends" || fail "Depends names a development package"
! grep -q 'libstdc++' <<<"$depends" || fail "Depends names the C++ runtime, which bounce never needs"

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
report=$(hardening-check "$unpacked/usr/bin/bounce" 2>/dev/null || true)
echo "$report"
for line in 'Position Independent Executable: yes' 'Stack protected: yes' \
    'Read-only relocations: yes' 'Immediate binding: yes'; do
    grep -q "$line" <<<"$report" || fail "hardening-check: not '$line'"
done
# Stack clash probes appear only in functions whose frame exceeds a page, and bounce has
# none; the flag itself is checked in the build.
grep -q -E 'Stack clash protection: (yes|unknown, no -fstack-clash-protection instructions)' \
    <<<"$report" || fail "hardening-check: stack clash protection"
grep -q -e '-fstack-clash-protection' "$build/compile_commands.json" ||
    fail "the package is not built with -fstack-clash-protection"
# hardening-check knows x86's control-flow protection only; on arm64 the build's flag and
# the return-address signing of bounce's own functions are checked. GCC has no such
# protection for 32-bit ARM, and Debian's flags ask for none there.
case "$arch" in
    arm64)
        grep -q -e '-mbranch-protection=standard' "$build/compile_commands.json" ||
            fail "the package is not built with -mbranch-protection=standard"
        grep -q paciasp <<<"$(aarch64-linux-gnu-objdump -d "$unpacked/usr/bin/bounce")" ||
            fail "no return-address signing in bounce" ;;
    armhf) ;;
    # The linker marks a program as CET-enabled only when every object in it is; where the C
    # library's start files are built without that mark, none can be, so the instrumentation
    # of bounce's own code (an endbr64 at each function) is checked instead.
    *)
        if ! grep -q 'Control flow integrity: yes' <<<"$report"; then
            scrt=$(gcc -print-file-name=Scrt1.o)
            ! grep -q 'x86 feature: IBT' <<<"$(readelf -n "$scrt")" ||
                fail "hardening-check: control flow"
            grep -q endbr64 <<<"$(objdump -d "$unpacked/usr/bin/bounce")" ||
                fail "no endbr64 in bounce"
            echo "(control flow: instrumented; $scrt carries no CET mark)"
        fi ;;
esac

echo "== desktop entry, AppStream metadata, manual page"
desktop-file-validate "$unpacked/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$unpacked/usr/share/metainfo/$id.metainfo.xml"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l \
    "$unpacked/usr/share/man/man6/bounce.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"

echo "== reproducible: a second build on the other kind of filesystem"
reproducible "$deb" scripts/package.sh "$arch"

if [ "$arch" != "$(dpkg --print-architecture)" ]; then
    # Its programs run through qemu, which the kernel starts for them once binfmt_misc is
    # mounted and qemu's formats are registered.
    mountpoint -q /proc/sys/fs/binfmt_misc ||
        as_root mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    as_root update-binfmts --enable >/dev/null 2>&1 || true
fi
# apt's own chatter about the bare chroot (no /dev/pts, no apt-utils) goes to a log.
in_root() {
    as_root chroot "$root" env DEBIAN_FRONTEND=noninteractive "$@" >"$work/log" 2>&1 ||
        { cat "$work/log" >&2; fail "in the clean system: $*"; }
}
# The end-to-end harness starts Xvfb on this side; the program reaches it from inside, run by
# the user who runs the tests, as a desktop user would run it, with a home it may write to.
printf '#!/bin/sh\nexec %s env HOME=/tmp chroot --userspec=%s %s /usr/bin/bounce "$@"\n' \
    "$([ "$(id -u)" -eq 0 ] || echo sudo)" "$(id -u):$(id -g)" "$root" >"$work/bounce"
chmod +x "$work/bounce"
configure_build ci e2e_tests
# A package serves the release it is built on and every later one tested; an earlier release
# must refuse it, rather than install a program that cannot start there.
built_on=$(. /etc/os-release && echo "$VERSION_ID")
for release in 12 13; do
    echo "== a clean minimal Debian $release for $arch"
    make_debian "$root" "$arch" "" "$release"
    as_root mount -t proc proc "$root/proc"
    as_root cp "$deb" "$root/tmp/bounce.deb"
    if [ "$release" -lt "$built_on" ]; then
        ! as_root chroot "$root" apt-get install -y /tmp/bounce.deb >"$work/log" 2>&1 ||
            fail "the package built on Debian $built_on installs on Debian $release"
        echo "Debian $release: refused, as a package built on Debian $built_on must be"
    else
        in_root apt-get install -y /tmp/bounce.deb
        in_root dpkg -L bounce
        mapfile -t installed < <(while read -r path; do
            [ -d "$root$path" ] || echo "$path"
        done <"$work/log")
        BOUNCE_EXECUTABLE=$work/bounce build/ci/tests/e2e/e2e_tests --gtest_brief=1 \
            --gtest_filter='Essentials*'
        in_root apt-get purge -y bounce
        for path in "${installed[@]}"; do
            [ ! -e "$root$path" ] || fail "purge left $path in Debian $release"
        done
        echo "Debian $release: ${#installed[@]} files installed and purged"
    fi
    as_root umount "$root/proc"
    as_root rm -rf --one-file-system "$root"
done
echo "package $deb passed"
