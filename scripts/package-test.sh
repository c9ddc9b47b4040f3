#!/usr/bin/env bash
# Builds the Debian package and checks it: its dependencies, its files, the desktop entry and
# manual page inside it, and the unpacked program running under Xvfb until a key press.
# Usage: scripts/package-test.sh (after scripts/deps.sh test)
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
(cd build/release && cpack >/dev/null)
deb=build/release/bounce_${version}_amd64.deb
fail() { echo "FAILED: $*" >&2; exit 1; }
[ -f "$deb" ] || fail "no $deb"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q 'libglut3' <<<"$depends" || fail "Depends does not name freeglut's runtime"
grep -q -E 'libopengl0|libgl1' <<<"$depends" || fail "Depends does not name an OpenGL runtime"
! grep -q -- '-dev' <<<"$depends" || fail "Depends names a development package"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
expected=$'./usr/bin/bounce\n./usr/share/applications/bounce.desktop\n./usr/share/man/man6/bounce.6.gz'
[ "$files" = "$expected" ] || fail "unexpected files in the package:"$'\n'"$files"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/bounce.desktop"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l \
    "$unpacked/usr/share/man/man6/bounce.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"

BOUNCE_EXECUTABLE="$unpacked/usr/bin/bounce" build/release/tests/e2e/e2e_tests \
    --gtest_filter='Kinds/EndsOn.FirstPress/character' --gtest_brief=1
echo "package $deb passed"
