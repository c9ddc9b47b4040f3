#!/usr/bin/env bash
# Builds the package of one architecture for Debian 12 and 13 (scripts/package.sh) and tests it
# with Debian's tools: lintian, blhc, hardening-check, the desktop entry and metainfo; then
# autopkgtest and piuparts in clean systems, where the release package (Debian 12's) must serve
# 12 and 13 alike, and through qemu, on 12 alone, for another architecture. The release package
# of this machine's architecture must come out the same when built again on another filesystem
# (cross-built ones: two runs of scripts/release.sh, on disk and on tmpfs).
# Usage: scripts/package-test.sh [architecture] (after scripts/deps.sh test; as root or sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
arch=${1:-$(dpkg --print-architecture)}
native=$([ "$arch" = "$(dpkg --print-architecture)" ] && echo yes || true)
id=$(sed -n 's/^set(BOUNCE_APP_ID \(.*\))$/\1/p' packaging/package.cmake)
uri=$(mirror)
work=$(mktemp -d)
root=$work/root
cleanup() {
    mountpoint -q "$root/proc" && as_root umount "$root/proc"
    as_root rm -rf --one-file-system "$work"
}
trap cleanup EXIT
if [ -z "$native" ]; then
    # Its programs run through qemu once binfmt_misc is mounted and qemu's formats registered.
    mountpoint -q /proc/sys/fs/binfmt_misc ||
        as_root mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    as_root update-binfmts --enable >/dev/null 2>&1 || true
fi

# check_build PACKAGE: the checks of one build's files, its .changes and build log.
check_build() {
    local deb=$1 unpacked=$work/unpacked tags depends files report
    echo "== $deb"
    # The package follows Policy 4.7.2, which Debian 12's lintian (2.116, up to 4.6.2) predates.
    tags=$(lintian -I --pedantic --suppress-tags newer-standards-version "${deb%.deb}.changes" \
        2>/dev/null) || fail "lintian:"$'\n'"$tags"
    [ -z "$tags" ] || fail "lintian tags at -I --pedantic:"$'\n'"$tags"
    blhc "$(dirname "$deb")/build.log" || fail "blhc: flags missing in the build log"
    echo "lintian: no tags at -I --pedantic; blhc: no flags missing"
    depends=$(dpkg-deb -f "$deb" Depends)
    ! grep -q -E -- '-dev|libstdc\+\+' <<<"$depends" ||
        fail "Depends names a development package or the C++ runtime, never needed: $depends"
    files=$(dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ {print $6}' | sort)
    [ "$files" = "$(printf './usr/%s\n' bin/bounce share/applications/$id.desktop \
        share/doc/bounce/{changelog.gz,copyright} share/man/man6/bounce.6.gz \
        share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
        share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$id.png | sort)" ] ||
        fail "unexpected files in the package:"$'\n'"$files"

    rm -rf "$unpacked"
    dpkg-deb -x "$deb" "$unpacked"
    desktop-file-validate "$unpacked/usr/share/applications/$id.desktop"
    appstreamcli validate --no-net --pedantic "$unpacked/usr/share/metainfo/$id.metainfo.xml"
    report=$(hardening-check "$unpacked/usr/bin/bounce" 2>/dev/null || true)
    for line in 'Position Independent Executable: yes' 'Stack protected: yes' \
        'Read-only relocations: yes' 'Immediate binding: yes'; do
        grep -q "$line" <<<"$report" || fail "hardening-check: not '$line'"$'\n'"$report"
    done
    # Stack clash probes appear only in functions whose frame exceeds a page, and bounce has
    # none: blhc has checked the flag. hardening-check knows x86's control-flow protection
    # only; on arm64 the return-address signing of bounce's own functions is checked. GCC
    # has no such protection for 32-bit ARM, and Debian's flags ask for none there.
    case "$arch" in
        arm64)
            grep -q paciasp <<<"$(aarch64-linux-gnu-objdump -d "$unpacked/usr/bin/bounce")" ||
                fail "no return-address signing in bounce" ;;
        armhf) ;;
        # The linker marks a program as CET-enabled only when every object in it is; where
        # the C library's start files are built without that mark, none can be, so the
        # instrumentation of bounce's own code (an endbr64 at each function) is checked.
        *)
            grep -q 'Control flow integrity: yes' <<<"$report" ||
                grep -q endbr64 <<<"$(objdump -d "$unpacked/usr/bin/bounce")" ||
                fail "hardening-check: control flow" ;;
    esac
}

# test_installed RELEASE PACKAGE...: each package in a clean system of the release, the same
# for each: autopkgtest (the tests' Xvfb and the installed program run there) and
# piuparts (install, purge, nothing left behind).
test_installed() {
    local release=$1 deb base
    base=$(pbuilder_base "$release")
    shift
    # This machine's architecture has pbuilder's clean base system; another one gets its own.
    if [ -z "$native" ]; then
        base=$work/base.tgz
        make_debian "$root" "$arch" "" "$release"
        # As in pbuilder's base, where debconf has run: Debian 13's leaves this folder behind
        # on first use, which piuparts would count against the package.
        as_root mkdir -p "$root/var/cache/debconf/tmp.ci"
        as_root tar -C "$root" -czf "$base" .
    fi
    for deb in "$@"; do
        echo "== autopkgtest and piuparts in a clean Debian $release: $deb"
        as_root rm -rf --one-file-system "$root" && as_root mkdir "$root"
        as_root tar -C "$root" -xzf "$base"
        as_root mount -t proc proc "$root/proc"
        as_root autopkgtest "${deb%.deb}.changes" -- chroot "$root" >"$work/log" 2>&1 ||
            { tail -n 40 "$work/log" >&2; fail "autopkgtest in Debian $release"; }
        grep -m 1 -E '^essentials +PASS' "$work/log"
        as_root umount "$root/proc"
        as_root piuparts --arch "$arch" --mirror "$uri main" -d "$(codename "$release")" \
            --basetgz "$base" "$deb" >"$work/log" 2>&1 ||
            { tail -n 40 "$work/log" >&2; fail "piuparts in Debian $release"; }
        grep -o 'PASS: All tests.' "$work/log"
    done
}

release=$(scripts/package.sh -r 12 "$arch" | tail -n 1)
check_build "$release"
latest=$(scripts/package.sh -r 13 "$arch" | tail -n 1)
check_build "$latest"
# Built against Debian 13's libglut.so.3, it must ask for the freeglut that has it.
grep -q -F 'libglut3.12 (>= 3.4.0-2)' <<<"$(dpkg-deb -f "$latest" Depends)" ||
    fail "the package built on Debian 13 would install on Debian 12's freeglut"

if [ -n "$native" ]; then
    echo "== reproducible: the release package built again on the other kind of filesystem"
    reproducible "$release" scripts/package.sh -r 12 "$arch"
fi

test_installed 12 "$release"
[ -z "$native" ] || test_installed 13 "$release" "$latest"
echo "$arch packages passed"
