#!/usr/bin/env bash
# Builds bounce for Windows and tests it under Wine: the zip's files and the DLLs its programs
# name, the exe's icon, version, hardening and imports, a second build on the other kind of
# filesystem byte for byte, the unit tests cross-built and run under Wine, the end-to-end tests
# on the real bounce.exe from the zip, and its frame rate beside the reference program's.
# Usage: scripts/windows-test.sh (as root or through sudo, for the packages it installs)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh windowstest

work=$(mktemp -d)
export WINEPREFIX=$PWD/build/wine
# Wine's server and the services it started outlive the programs; they end with the tests.
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

zip=$(scripts/windows.sh | tail -n 1)
echo "== $zip"
unzip -q "$zip" -d "$work/zip"
files=$(cd "$work/zip" && find . -type f -printf '%P\n' | sort)
[ "$files" = "$(printf '%s\n' LICENSE.txt README.txt bounce.exe freeglut-COPYING.txt \
    libfreeglut.dll)" ] || fail "unexpected files in the zip:"$'\n'"$files"
# Every DLL the programs name is in the zip or one of Windows' own.
windows_dlls=" ADVAPI32.dll GDI32.dll KERNEL32.dll msvcrt.dll OPENGL32.dll USER32.dll WINMM.dll "
for program in bounce.exe libfreeglut.dll; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$work/zip/$program" | awk '/DLL Name:/ {print $3}'); do
        [ -f "$work/zip/$dll" ] || [[ "$windows_dlls" == *" $dll "* ]] ||
            fail "$program needs $dll, which is neither in the zip nor part of Windows"
    done
done

echo "== bounce.exe: hardening, icon and version"
header=$(x86_64-w64-mingw32-objdump -p "$work/zip/bounce.exe")
characteristics=$((0x$(awk '/^DllCharacteristics/ {print $2}' <<<"$header")))
for flag in "0x20 HIGH_ENTROPY_VA" "0x40 DYNAMIC_BASE" "0x100 NX_COMPAT"; do
    read -r bit name <<<"$flag"
    (( characteristics & bit )) || fail "bounce.exe is not $name"
done
grep -q -E '^Time/Date\s+Thu Jan  1 00:00:00 1970' <<<"$header" || fail "bounce.exe has a timestamp"
grep -q -e '-fstack-protector-strong' build/windows/compile_commands.json ||
    fail "bounce.exe is not built with the stack protector"
wrestool -x --type=14 "$work/zip/bounce.exe" >"$work/bounce.ico"
[ "$(icotool -l "$work/bounce.ico" | grep -o -- '--width=[0-9]*' | tr '\n' ' ')" = \
    "--width=16 --width=32 --width=48 --width=256 " ] || fail "bounce.exe has not the icon"
version=$(project_version build/windows)
strings=$(wrestool -x --raw --type=16 "$work/zip/bounce.exe" | tr -d '\0')
for text in "ProductNamebounce" "FileVersion$version" "ProductVersion$version" \
    "LegalCopyright$(grep -m 1 '^Copyright' LICENSE)"; do
    grep -q -F "$text" <<<"$strings" || fail "the version resource lacks $text"
done

echo "== reproducible: a second build on the other kind of filesystem"
reproducible "$zip" scripts/windows.sh

echo "== unit tests and imports, built for Windows, under Wine"
windows/libraries.sh build/windows-deps googletest
configure_build windows-test
ctest --preset windows-test -j"$(nproc)"

# Without a window manager Wine's window never gets the focus; the tests of a missing display
# and of the X server going away, which would test Wine's X driver, skip themselves.
echo "== end-to-end tests of bounce.exe from the zip, under Wine and openbox"
configure_build ci e2e_tests
# One Wine session serves them all: its server, and the services its first program starts,
# which outlive that program. They start here, on a display of their own, so that every
# process the tests see started is bounce's own.
wineserver --persistent
start_xvfb
windows/wine.sh wineboot >/dev/null 2>&1
kill "$XVFB_PID"
unset DISPLAY
BOUNCE_LAUNCHER=$PWD/windows/wine.sh BOUNCE_EXECUTABLE=$work/zip/bounce.exe \
    BOUNCE_NEEDS_WINDOW_MANAGER=1 build/ci/tests/e2e/e2e_tests --gtest_brief=1

echo "== frame rate of bounce.exe and the reference program under Wine"
bench/framerate.sh 3 3 windows
